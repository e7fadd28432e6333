#include "engine/physics/CircleCollider.h"

#include "engine/core/Time.h"
#include "engine/entity/Entity.h"
#include "engine/entity/Transform.h"
#include "engine/physics/CircleRectContact.h"
#include "engine/physics/DynamicBody2D.h"
#include "engine/physics/PhysicsComponents.h"
#include "engine/physics/RectCollider.h"
#include "engine/scene/FieldMap.h"

namespace VelaEngine::Collision {

void CircleCollider::Deserialize(const FieldMap& fields) {
    radius_ = fields.Get("radius", 0.0f);
    material_ = fields.Get("material", Material());
    NoteShapeChange();
}

std::shared_ptr<Component> CircleCollider::Clone(Entity* newOwner) const {
    auto copy = MakePacked<CircleCollider>(newOwner);
    copy->radius_ = radius_;
    copy->material_ = material_;
    return copy;
}

bool CircleCollider::ContainsPoint(const Point2& point, const Matrix3x3& world) const {
    const Vector2 offset(point.x - world.m[0][2], point.y - world.m[1][2]);
    const Vector2 local = MapDirection(world.Inverse(), offset);
    return radius_ * radius_ > local.x * local.x + local.y * local.y;
}

bool CircleCollider::TestAgainst(const Collider& other, Vector2& newVelocity,
                                 const Matrix3x3& world) const {
    switch (other.GetShape()) {
        case Shape::Circle:
            return TouchesCircle(static_cast<const CircleCollider&>(other));
        case Shape::Rect:
            return TouchesRect(static_cast<const RectCollider&>(other), newVelocity, world);
    }
    return false;
}

bool CircleCollider::TouchesCircle(const CircleCollider& other) const {
    const Point2 p = GetTransform()->GetWorldPosition();
    const Point2 q = other.GetTransform()->GetWorldPosition();
    const float reach = radius_ + other.radius_;
    return (p - q).LengthSquared() < reach * reach;
}

bool CircleCollider::TouchesRect(const RectCollider& other, Vector2& newVelocity,
                                 const Matrix3x3& world) const {
    return TouchesFaces(
        MakeRectFaces(other.GetTransform()->GetWorldMatrix(), other.GetWidth(), other.GetHeight()),
        newVelocity, world);
}

bool CircleCollider::TouchesFaces(const RectFaces& rect, Vector2& newVelocity,
                                  const Matrix3x3& world) const {
    const Point2 p(world.m[0][2], world.m[1][2]);
    const CircleRectContact contact = TestCircleAgainstRect(p, radius_, rect);
    if (contact.kind == ContactKind::Reflect) {
        // A circle without a moving body of its own has nothing to send back.
        const DynamicBody2D* body = FirstDynamicBody(*GetOwner());
        const Vector2 velocity = body != nullptr ? body->GetVelocity() : Vector2();
        newVelocity =
            ReflectVelocity(velocity, contact.face, material_, Time::Get().GetDeltaTime());
    }
    return contact.kind != ContactKind::None;
}

}  // namespace VelaEngine::Collision
