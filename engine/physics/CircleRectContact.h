#pragma once
// How a circle meets a placed rectangle: not at all, on one face (it bounces off that face),
// or sunk in or on a corner (it stops).
#include "engine/physics/Material.h"
#include "engine/physics/RectFaces.h"
#include "engine/scene/Vector2.h"

namespace VelaEngine::Collision {

enum class ContactKind { None, Stop, Reflect };

struct CircleRectContact {
    ContactKind kind = ContactKind::None;
    // For a bounce: the face vector of the face that was hit.
    Vector2 face;
};

// Faces come before corners: top, bottom while the centre is between the side faces; then
// left, right while it is between the top and the bottom; then the four corners.
CircleRectContact TestCircleAgainstRect(const Point2& centre, float radius, const RectFaces& rect);

// The velocity after bouncing off `face`: the part along the face loses friction × dt of
// itself, the part along the normal turns round and keeps bounce × (1 − dt). The part along
// the normal turns round whichever way it pointed.
Vector2 ReflectVelocity(const Vector2& velocity, const Vector2& face, const Material& material,
                        float dt);

}  // namespace VelaEngine::Collision
