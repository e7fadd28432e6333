#include "engine/physics/DynamicBody2D.h"

#include "engine/core/Time.h"
#include "engine/core/VEDebug.h"
#include "engine/entity/Entity.h"
#include "engine/entity/Transform.h"
#include "engine/physics/Physics.h"
#include "engine/scene/FieldMap.h"

namespace VelaEngine {

DynamicBody2D::DynamicBody2D(Entity* owner)
    : RigidBody2D(owner),
      collisionListener_(this, &DynamicBody2D::OnCollisionCandidates),
      stepListener_(this, &DynamicBody2D::OnPhysicsStep) {
    owner->GetCollisionEventListeners().Register(collisionListener_);
    owner->GetPhysicsStepListeners().Register(stepListener_);
    owner->OfferRestShortcut(this);
    RememberPosition();
}

void DynamicBody2D::Deserialize(const FieldMap& fields) {
    gravityScale_ = fields.Get("gravityScale", 1.0f);
    mass_ = fields.Get("mass", 0.0f);
    linearDrag_ = fields.Get("linearDrag", 0.0f);
    // A negative drag feeds the velocity back into itself and the body flies off.
    if (!(linearDrag_ >= 0.0f)) {
        Fail("DynamicBody2D \"linearDrag\" must be 0 or more, not \"" +
             fields.Get("linearDrag", "") + "\"");
    }
    velocity_ = Vector2();
    RememberPosition();
}

void DynamicBody2D::RememberPosition() {
    const Vector2& position = GetTransform()->GetPosition();
    previousPosition_ = Point2(position.x, position.y);
}

std::shared_ptr<Component> DynamicBody2D::Clone(Entity* newOwner) const {
    auto copy = std::make_shared<DynamicBody2D>(newOwner);
    copy->mass_ = mass_;
    copy->gravityScale_ = gravityScale_;
    copy->linearDrag_ = linearDrag_;
    copy->velocity_ = velocity_;
    return copy;
}

void DynamicBody2D::ApplyImpulse(const Vector2& impulse) {
    if (Time::Get().IsPaused()) {
        return;
    }
    // A massless body would fly off to infinity and poison every later collision test.
    if (mass_ == 0.0f) {
        Fail("DynamicBody2D of " + GetOwner()->GetName() + " has mass 0 and cannot take impulses");
    }
    velocity_ += impulse / mass_;
}

void DynamicBody2D::ResolveVelocity(const Vector2& newVelocity) {
    const Time& time = Time::Get();
    if (time.IsPaused()) {
        return;
    }
    velocity_ = newVelocity;
    const Point2 position = ResolvedPosition(velocity_, time.GetDeltaTime());
    GetTransform()->SetPosition({position.x, position.y});
    resolvedThisFrame_ = true;
}

void DynamicBody2D::Step() {
    rest_.drafting = false;
    const Time& time = Time::Get();
    if (time.IsPaused()) {
        return;
    }
    Transform& transform = *GetTransform();
    if (RepeatsLastFrame(time, transform)) {
        resolvedThisFrame_ = false;
        stepWaiting_ = true;
        return;
    }
    StartRecord(time, transform);
    Integrate(time, transform);
}

void DynamicBody2D::Integrate(const Time& time, Transform& transform) {
    RememberPosition();
    previousVelocity_ = velocity_;
    velocity_ += Physics::Get().GetGravity() * gravityScale_ * time.GetDeltaTime();
    // Implicit, so that no drag or frame time can reverse the velocity.
    if (linearDrag_ > 0.0f) {
        velocity_ = velocity_ / (1.0f + linearDrag_ * time.GetDeltaTime());
    }
    transform.SetPosition(transform.GetPosition() + velocity_ * time.GetDeltaTime());
    resolvedThisFrame_ = false;
}

}  // namespace VelaEngine
