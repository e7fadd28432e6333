#pragma once
#include <memory>

#include "engine/physics/Collider.h"

namespace VelaEngine::Collision {

class RectCollider;
struct RectFaces;

// A circle centred on its entity. Contacts use the radius as it is; clicks see it scaled
// with the entity.
class CircleCollider : public Collider {
public:
    explicit CircleCollider(Entity* owner) : Collider(owner, Shape::Circle) {}

    const char* GetTypeName() const override { return "CircleCollider"; }
    // "radius" (default 0) and "material" (default 0.5,0).
    void Deserialize(const FieldMap& fields) override;
    std::shared_ptr<Component> Clone(Entity* newOwner) const override;

    // Strictly inside: a point on the rim is outside.
    bool ContainsPoint(const Point2& point, const Matrix3x3& world) const override;
    // Against a circle: overlap, no new velocity. Against a rectangle: a bounce off a face
    // (the new velocity of this circle's body) or a stop. Anything else never touches.
    bool TestAgainst(const Collider& other, Vector2& newVelocity,
                     const Matrix3x3& world) const override;

    // Against a rectangle already placed as faces: what TestAgainst says of that rectangle.
    bool TouchesFaces(const RectFaces& rect, Vector2& newVelocity, const Matrix3x3& world) const;

    float GetRadius() const { return radius_; }
    void SetRadius(float radius) {
        radius_ = radius;
        NoteShapeChange();
    }

private:
    bool TouchesCircle(const CircleCollider& other) const;
    bool TouchesRect(const RectCollider& other, Vector2& newVelocity, const Matrix3x3& world) const;

    float radius_ = 0.0f;
};

}  // namespace VelaEngine::Collision
