// A body at rest repeats its last frame. The step and the contacts are pure functions of the
// body's state, the frame time, gravity, the body's circle, the matrix it is placed by and
// the candidates the broad phase keeps around it. When all of these are as they were at the
// start of the last frame, and that frame ended where it began, this frame finds the same
// contacts with the same answers: only the hooks need to run again, in the same order and
// seeing the same state. Whatever a hook changes sends the rest of the pass back to the
// maths.
#include <cstddef>

#include "engine/core/Time.h"
#include "engine/entity/Entity.h"
#include "engine/entity/EntityList.h"
#include "engine/entity/FramePasses.h"
#include "engine/entity/MatrixStack.h"
#include "engine/entity/Transform.h"
#include "engine/physics/CircleCollider.h"
#include "engine/physics/ContactBroadPhase.h"
#include "engine/physics/ContactBroadPhaseRest.h"
#include "engine/physics/DynamicBody2D.h"
#include "engine/physics/Physics.h"
#include "engine/scene/SameBits.h"

namespace VelaEngine {

namespace {
bool repeatAtRest = true;
std::uint64_t repeatedFrames = 0;

template <class Pair>
RestPair Keep(const Pair& from) {
    return {from.x, from.y};
}

// What a step reads beside the transform and the circle, now as when the record began.
bool SameWorldAndBody(const RestInputs& inputs, const Time& time, const Vector2& velocity,
                      float gravityScale, float drag) {
    return SameBits2(velocity, inputs.velocity) && inputs.baseVersion == RootPassBaseVersion() &&
           SameBits(time.GetDeltaTime(), inputs.dt) &&
           SameBits2(Physics::Get().GetGravity(), inputs.gravity) &&
           SameBits(gravityScale, inputs.gravityScale) && SameBits(drag, inputs.drag);
}

// The circle's fields a contact reads, as the record holds them.
bool SameCircle(const Collision::Collider& own, const RestShape& shape) {
    const auto& circle = static_cast<const Collision::CircleCollider&>(own);
    const Collision::Material& material = own.GetMaterial();
    return SameBits(circle.GetRadius(), shape.radius) && SameBits(material.bounce, shape.bounce) &&
           SameBits(material.friction, shape.friction);
}
}  // namespace

void DynamicBody2D::SetRepeatAtRest(bool repeat) {
    repeatAtRest = repeat;
}

std::uint64_t DynamicBody2D::RepeatedFrames() {
    return repeatedFrames;
}

bool DynamicBody2D::RepeatsLastFrame(const Time& time, const Transform& transform) {
    if (!rest_.valid || !repeatAtRest) {
        return false;
    }
    const RestRecord& rest = rest_;
    // The handler must come right after this step, with nothing run in between that could
    // see the step left undone: no children, no other step or collision listener. Only a
    // change of the tree's shape can add either, so the answer stands until the next one.
    if (rest.alonePast != EntityTree::ShapeStamp()) {
        if (!RunsAlone(transform)) {
            return false;
        }
        rest_.alonePast = EntityTree::ShapeStamp();
    }
    // The position, rotation, scale and circle stand as the record ended with them, which
    // were those it began from, while the transform notes no change.
    const bool same = transform.GetEdits() == rest.transformEdits &&
                      SameWorldAndBody(rest.inputs, time, velocity_, gravityScale_, linearDrag_) &&
                      SameBits2(previousPosition_, rest.inputs.position) &&
                      SameBits2(previousVelocity_, rest.inputs.velocity);
    if (!same) {
        return false;
    }
    Collision::ContactBroadPhase* broadPhase = Collision::ContactBroadPhase::Current();
    return broadPhase != nullptr && broadPhase->KeptListStands(transform, rest.list);
}

[[gnu::flatten]] bool DynamicBody2D::RepeatStepAndCollision(const Events::CollisionEvent& event) {
    // The step, then the collision handler, as they run when the step repeats the record;
    // anything else is left to them.
    rest_.drafting = false;
    const Time& time = Time::Get();
    if (time.IsPaused() || ownCollider_ == nullptr ||
        !Collision::ContactBroadPhase::Use::WouldGet() ||
        !RepeatsLastFrame(time, *GetTransform())) {
        return false;
    }
    resolvedThisFrame_ = false;
    const Collision::ContactBroadPhase::Use broadPhase(event);
    Repeat(event, *broadPhase.Get(), *ownCollider_);
    return true;
}

bool DynamicBody2D::RunsAlone(const Transform& transform) {
    Entity& owner = *GetOwner();
    return transform.GetParent() == nullptr && owner.GetChildren().empty() &&
           owner.GetPhysicsStepListeners().HoldsOnly(stepListener_) &&
           owner.GetCollisionEventListeners().HoldsOnly(collisionListener_);
}

void DynamicBody2D::NoteInputs(const Time& time, const Transform& transform) {
    const auto& circle = static_cast<const Collision::CircleCollider&>(*ownCollider_);
    RestInputs& inputs = rest_.inputs;
    inputs.baseVersion = RootPassBaseVersion();
    inputs.position = Keep(transform.GetPosition());
    inputs.velocity = Keep(velocity_);
    inputs.gravity = Keep(Physics::Get().GetGravity());
    inputs.gravityScale = gravityScale_;
    inputs.drag = linearDrag_;
    inputs.dt = time.GetDeltaTime();
    RestShape& shape = rest_.shape;
    shape.rotation = transform.GetRotation();
    shape.scale = Keep(transform.GetScale());
    shape.radius = circle.GetRadius();
    shape.bounce = circle.GetMaterial().bounce;
    shape.friction = circle.GetMaterial().friction;
}

void DynamicBody2D::StartRecord(const Time& time, const Transform& transform) {
    rest_.valid = false;
    if (!repeatAtRest) {
        return;
    }
    // Only a body placed by the frame's own passes, with a circle of its own, is recorded.
    rest_.drafting = RootPassBaseVersion() != 0 && ownCollider_ != nullptr &&
                     ownCollider_->GetShape() == Collision::Collider::Shape::Circle &&
                     ownCollider_->GetOwner() == GetOwner();
    if (!rest_.drafting) {
        return;
    }
    NoteInputs(time, transform);
    rest_.count = 0;
}

void DynamicBody2D::BeginPass() {
    rest_.nearCalls = 0;
    if (!rest_.drafting) {
        return;
    }
    const MatrixStack& stack = MatrixStack::Get();
    rest_.world = stack.GetCurrent();
    rest_.depth = static_cast<std::uint32_t>(stack.GetDepth());
    rest_.edits = stack.GetEdits();
    rest_.shapes = EntityTree::shapeChanges;
}

void DynamicBody2D::NoteContact(Entity& other, std::uint32_t index, const Vector2& velocity) {
    if (rest_.count == RestRecord::kContacts) {
        rest_.drafting = false;
        return;
    }
    rest_.contacts[rest_.count++] = {&other, index, Keep(velocity), 0};
}

bool DynamicBody2D::Unperturbed(const Collision::ContactBroadPhase& broadPhase,
                                const Collision::Collider& ownCollider,
                                const Vector2& velocity) const {
    // Nothing noted a change of the transform or the circle since the contact placed the
    // body; the frame time it was placed with stands.
    const Time& time = Time::Get();
    return !time.IsPaused() && resolvedThisFrame_ && SameBits2(velocity_, velocity) &&
           GetTransform()->GetEdits() == rest_.resolvedEdits &&
           SameBits(time.GetDeltaTime(), rest_.inputs.dt) &&
           MatrixStack::Get().GetEdits() == rest_.edits &&
           EntityTree::shapeChanges == rest_.shapes && broadPhase.QuietBut(ownCollider);
}

void DynamicBody2D::FinishRecord(const Collision::ContactBroadPhase& broadPhase,
                                 const Collision::Collider& ownCollider) {
    if (!rest_.drafting) {
        return;
    }
    rest_.drafting = false;
    // One list served the whole pass, nothing changed the stack or any entity's shape, and
    // the frame ended where it began, transform and circle included.
    const Transform& transform = *GetTransform();
    if (rest_.nearCalls != 1 || MatrixStack::Get().GetEdits() != rest_.edits ||
        EntityTree::shapeChanges != rest_.shapes || transform.GetParent() != nullptr ||
        !SameBits2(transform.GetPosition(), rest_.inputs.position) ||
        !SameBits(transform.GetRotation(), rest_.shape.rotation) ||
        !SameBits2(transform.GetScale(), rest_.shape.scale) ||
        !SameCircle(ownCollider, rest_.shape) || !SameBits2(velocity_, rest_.inputs.velocity)) {
        return;
    }
    rest_.transformEdits = transform.GetEdits();
    rest_.alonePast = 0;
    rest_.list = broadPhase.MarkKeptList(ownCollider);
    rest_.valid = rest_.list.list != 0;
}

void DynamicBody2D::Repeat(const Events::CollisionEvent& event,
                           Collision::ContactBroadPhase& broadPhase,
                           const Collision::Collider& ownCollider) {
    // The hooks see the stack as the step would have left it: the body's stepped placement.
    // The passes show the body's placement again before anything else reads the stack.
    MatrixStack& stack = MatrixStack::Get();
    stack.Load(rest_.world, rest_.depth);
    rest_.edits = stack.GetEdits();
    rest_.shapes = EntityTree::shapeChanges;
    Entity& owner = *GetOwner();
    std::size_t next = 0;
    bool whole = true;
    for (std::size_t k = 0; k < rest_.count; ++k) {
        RestContact& contact = rest_.contacts[k];
        const Vector2 velocity(contact.velocity.x, contact.velocity.y);
        Entity& other = *contact.other;
        if (rest_.count == 1) {
            // The one contact gives the velocity the frame began with and puts the body where
            // it began, from the same previous position and time: where it stands.
            resolvedThisFrame_ = true;
            AnswerPlaced(owner, other, velocity, &broadPhase, contact.index,
                         &contact.otherQuietPast);
        } else {
            Answer(owner, other, velocity, &broadPhase, contact.index, &contact.otherQuietPast);
        }
        next = contact.index + 1;
        if (!Unperturbed(broadPhase, ownCollider, velocity)) {
            whole = false;
            break;
        }
    }
    if (whole) {
        ++repeatedFrames;
    } else {
        rest_.valid = false;
        TestNearCandidates(event, broadPhase, ownCollider, next);
    }
}

}  // namespace VelaEngine
