#pragma once
// A body that falls under the world's gravity, carries a velocity, takes impulses and is moved
// once per frame; it also resolves its own contacts with the frame's collision candidates.
#include <cstdint>
#include <memory>

#include "engine/entity/Listener.h"
#include "engine/entity/RestShortcut.h"
#include "engine/physics/RestRecord.h"
#include "engine/physics/RigidBody2D.h"
#include "engine/scene/Vector2.h"

namespace VelaEngine {

class Entity;
class Matrix3x3;
class Time;
class Transform;

namespace Events {
class CollisionEvent;
}

namespace Collision {
class Collider;
class ContactBroadPhase;
}  // namespace Collision

class DynamicBody2D : public RigidBody2D, public RestShortcut {
public:
    // Listens to the owner's collision events, then to its physics steps.
    explicit DynamicBody2D(Entity* owner);

    const char* GetTypeName() const override { return "DynamicBody2D"; }
    // "gravityScale" (default 1), "mass" (default 0) and "linearDrag" (default 0, none); the
    // body comes to rest.
    void Deserialize(const FieldMap& fields) override;
    std::shared_ptr<Component> Clone(Entity* newOwner) const override;

    // velocity += impulse / mass, with no frame-time factor; nothing while paused.
    void ApplyImpulse(const Vector2& impulse);
    // Takes the velocity and replays the last step with it from the previous position;
    // nothing while paused.
    void ResolveVelocity(const Vector2& newVelocity);
    // One semi-implicit Euler step under gravity, then the drag; nothing while paused.
    void Step();

    const Vector2& GetVelocity() const { return velocity_; }
    void SetVelocity(const Vector2& velocity) { velocity_ = velocity; }
    float GetMass() const { return mass_; }
    void SetMass(float mass) { mass_ = mass; }
    float GetGravityScale() const { return gravityScale_; }
    void SetGravityScale(float scale) { gravityScale_ = scale; }
    // The share of its velocity the body loses per second; 0 keeps it all.
    float GetLinearDrag() const { return linearDrag_; }
    void SetLinearDrag(float drag) { linearDrag_ = drag; }
    bool IsResolvedThisFrame() const { return resolvedThisFrame_; }
    const Point2& GetPreviousPosition() const { return previousPosition_; }
    const Vector2& GetPreviousVelocity() const { return previousVelocity_; }

    // A body whose frame began where the last one began and ended, with the same velocity,
    // among candidates that did not change, repeats the last frame's contacts and their hooks
    // without working them out: the results are the same to the bit. On by default; off, every
    // frame is worked out, for comparing the two.
    static void SetRepeatAtRest(bool repeat);
    // Frames repeated so, by all bodies, since the start.
    static std::uint64_t RepeatedFrames();
    // The step and the collision handler at once, when the frame repeats the record.
    bool RepeatStepAndCollision(const Events::CollisionEvent& event) override;

private:
    // A contact resolved before the body's first step replays from here, so the body must
    // start at its transform's position, not at its parent's origin.
    void RememberPosition();
    void OnPhysicsStep(const Events::EventBase&) { Step(); }
    // Tests this body's collider against every candidate of the frame and answers each hit.
    void OnCollisionCandidates(const Events::EventBase& event);
    void TestAllCandidates(const Events::CollisionEvent& event,
                           const Collision::Collider& ownCollider);
    // Only the candidates the broad phase cannot rule out, still in the list's order.
    void TestNearCandidates(const Events::CollisionEvent& event,
                            Collision::ContactBroadPhase& broadPhase,
                            const Collision::Collider& ownCollider, std::size_t next);
    // True on a contact, which has then been answered. `world`: the stack's top, where the
    // own collider is; `otherCollider`: the other's first (null: none); `broadPhase` and
    // `index`: where the other is listed, if it is.
    bool TestPair(const Collision::Collider& ownCollider, Entity& other,
                  const Collision::Collider* otherCollider, const Matrix3x3& world,
                  Collision::ContactBroadPhase* broadPhase, std::uint32_t index);
    // `broadPhase` and `index`: where the other is listed, if it is. `otherQuiet`: see
    // AnswerPlaced.
    void Answer(Entity& own, Entity& other, const Vector2& newVelocity,
                Collision::ContactBroadPhase* broadPhase, std::uint32_t index,
                std::uint64_t* otherQuiet = nullptr);
    // The rest of the answer once the body stands where the contact puts it: the hooks, and
    // the other party's answer. A repeated contact passes `otherQuiet`, its other party's
    // RestContact::otherQuietPast: while it stands, the other has nothing to answer with.
    void AnswerPlaced(Entity& own, Entity& other, const Vector2& newVelocity,
                      Collision::ContactBroadPhase* broadPhase, std::uint32_t index,
                      std::uint64_t* otherQuiet = nullptr);
    // The step itself, once it is known not to repeat.
    void Integrate(const Time& time, Transform& transform);
    // Where a contact giving `velocity` puts the body.
    Point2 ResolvedPosition(const Vector2& velocity, float dt) const {
        return previousPosition_ + velocity * dt;
    }

    // Repeating a frame at rest (DynamicBody2DRest.cpp). In the step: whether this frame
    // repeats the record, which leaves the step to the collision handler.
    bool RepeatsLastFrame(const Time& time, const Transform& transform);
    // No parent, no children and no other step or collision listener: nothing can run
    // between this step and the collision handler.
    bool RunsAlone(const Transform& transform);
    // Begins recording the frame that this step starts.
    void StartRecord(const Time& time, const Transform& transform);
    // Notes in the record what this step begins from and reads.
    void NoteInputs(const Time& time, const Transform& transform);
    // Before the collision handler works out the contacts, and after.
    void BeginPass();
    void FinishRecord(const Collision::ContactBroadPhase& broadPhase,
                      const Collision::Collider& ownCollider);
    // After a contact's hooks: whether everything the rest of the pass reads is as the
    // contact left it.
    bool Unperturbed(const Collision::ContactBroadPhase& broadPhase,
                     const Collision::Collider& ownCollider, const Vector2& velocity) const;
    void NoteContact(Entity& other, std::uint32_t index, const Vector2& velocity);
    // The recorded contacts, hooks and all; on any change a hook made, the rest is worked out.
    void Repeat(const Events::CollisionEvent& event, Collision::ContactBroadPhase& broadPhase,
                const Collision::Collider& ownCollider);

    Point2 previousPosition_;
    Events::ClassListener<DynamicBody2D> collisionListener_;
    Vector2 previousVelocity_;
    Events::ClassListener<DynamicBody2D> stepListener_;
    float gravityScale_ = 1.0f;
    float linearDrag_ = 0.0f;
    float mass_ = 1.0f;
    bool resolvedThisFrame_ = false;
    // The step of this frame waits for the collision handler, which repeats the record.
    bool stepWaiting_ = false;
    Vector2 velocity_;
    // The owner's first collider, once it has one.
    Collision::Collider* ownCollider_ = nullptr;
    RestRecord rest_;
};

}  // namespace VelaEngine
