#include "engine/physics/CircleRectContact.h"

#include <cmath>

namespace VelaEngine::Collision {

namespace {
// Closer to the face's line than the radius. A face of length 0 has no line and is never
// touched.
bool TouchesFace(const Point2& p, float radius, const Point2& centre, const Vector2& face) {
    if (face.Dot(face) == 0.0f) {
        return false;
    }
    return radius > std::fabs((p - (centre + face)).Dot(face)) / face.Length();
}

bool NearCorner(const Point2& p, float radius, const Point2& corner) {
    return (p - corner).LengthSquared() < radius * radius;
}

CircleRectContact Reflect(const Vector2& face) {
    return {ContactKind::Reflect, face};
}
}  // namespace

CircleRectContact TestCircleAgainstRect(const Point2& p, float radius, const RectFaces& rect) {
    const Point2& z = rect.centre;
    const bool inTop = InsideFace(p, z, rect.top);
    const bool inBottom = InsideFace(p, z, rect.bottom);
    const bool inLeft = InsideFace(p, z, rect.left);
    const bool inRight = InsideFace(p, z, rect.right);
    if (inTop && inBottom && inLeft && inRight) {
        return {ContactKind::Stop, {}};
    }
    if (inLeft && inRight) {
        if (TouchesFace(p, radius, z, rect.top)) {
            return Reflect(rect.top);
        }
        if (TouchesFace(p, radius, z, rect.bottom)) {
            return Reflect(rect.bottom);
        }
    }
    if (inTop && inBottom) {
        if (TouchesFace(p, radius, z, rect.left)) {
            return Reflect(rect.left);
        }
        if (TouchesFace(p, radius, z, rect.right)) {
            return Reflect(rect.right);
        }
    }
    if (NearCorner(p, radius, rect.TopLeft()) || NearCorner(p, radius, rect.TopRight()) ||
        NearCorner(p, radius, rect.BottomLeft()) || NearCorner(p, radius, rect.BottomRight())) {
        return {ContactKind::Stop, {}};
    }
    return {};
}

Vector2 ReflectVelocity(const Vector2& velocity, const Vector2& face, const Material& material,
                        float dt) {
    const Vector2 normal = face * (velocity.Dot(face) / face.Dot(face));
    const Vector2 along = velocity - normal;
    return along * (1.0f - material.friction * dt) - normal * material.bounce * (1.0f - dt);
}

}  // namespace VelaEngine::Collision
