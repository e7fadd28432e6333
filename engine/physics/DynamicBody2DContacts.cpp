// The collision handler of a dynamic body: its own collider against every candidate of the
// frame, in the candidates' order. The broad phase leaves out only candidates it cannot
// touch, and is asked again after every contact, since contact hooks may move anything.
#include <cstdint>
#include <span>
#include <typeinfo>
#include <vector>

#include "engine/core/Time.h"
#include "engine/entity/CollisionEvents.h"
#include "engine/entity/Entity.h"
#include "engine/entity/EntityList.h"
#include "engine/entity/MatrixStack.h"
#include "engine/entity/Transform.h"
#include "engine/physics/CircleCollider.h"
#include "engine/physics/Collider.h"
#include "engine/physics/ContactBroadPhase.h"
#include "engine/physics/DynamicBody2D.h"
#include "engine/physics/PhysicsComponents.h"

namespace VelaEngine {

namespace {
const Events::CollisionEvent* AsCollisionEvent(const Events::EventBase& event) {
    // The scene only ever sends this exact type; the cast is for anything derived from it.
    if (&typeid(event) == &typeid(Events::CollisionEvent)) {
        return static_cast<const Events::CollisionEvent*>(&event);
    }
    return dynamic_cast<const Events::CollisionEvent*>(&event);
}
}  // namespace

void DynamicBody2D::OnCollisionCandidates(const Events::EventBase& event) {
    const Events::CollisionEvent* collisions = AsCollisionEvent(event);
    if (stepWaiting_) {
        stepWaiting_ = false;
        // The step checked that this handler comes next, with the broad phase it left.
        if (collisions != nullptr && ownCollider_ != nullptr) {
            const Collision::ContactBroadPhase::Use broadPhase(*collisions);
            if (broadPhase.Get() != nullptr) {
                Repeat(*collisions, *broadPhase.Get(), *ownCollider_);
                return;
            }
        }
        // Never leave the step undone.
        rest_.valid = false;
        Integrate(Time::Get(), *GetTransform());
    }
    // Already moved as the other party of a contact: that answer stands until the next step.
    if (resolvedThisFrame_) {
        return;
    }
    if (collisions == nullptr) {
        return;
    }
    // Components are never taken off an entity, so once found the first collider stays the
    // first.
    if (ownCollider_ == nullptr) {
        ownCollider_ = FirstCollider(*GetOwner());
    }
    const Collision::Collider* ownCollider = ownCollider_;
    if (ownCollider == nullptr) {
        return;
    }
    const Collision::ContactBroadPhase::Use broadPhase(*collisions);
    if (broadPhase.Get() != nullptr) {
        BeginPass();
        TestNearCandidates(*collisions, *broadPhase.Get(), *ownCollider, 0);
        FinishRecord(*broadPhase.Get(), *ownCollider);
    } else {
        rest_.drafting = false;
        TestAllCandidates(*collisions, *ownCollider);
    }
}

void DynamicBody2D::TestAllCandidates(const Events::CollisionEvent& event,
                                      const Collision::Collider& ownCollider) {
    // Walked as a copy, so nothing a contact hook does can reach the list every body shares.
    const std::vector<Entity*> candidates = event.candidates;
    const MatrixStack& stack = MatrixStack::Get();
    for (Entity* other : candidates) {
        TestPair(ownCollider, *other, FirstCollider(*other), stack.GetCurrent(), nullptr, 0);
    }
}

void DynamicBody2D::TestNearCandidates(const Events::CollisionEvent& event,
                                       Collision::ContactBroadPhase& broadPhase,
                                       const Collision::Collider& ownCollider, std::size_t next) {
    MatrixStack& stack = MatrixStack::Get();
    while (next < event.candidates.size()) {
        const std::span<const std::uint32_t> near =
            broadPhase.Near(ownCollider, stack.GetCurrent(), next);
        ++rest_.nearCalls;
        next = event.candidates.size();
        for (std::uint32_t index : near) {
            Entity& other = *event.candidates[index];
            const Collision::Collider* otherCollider = broadPhase.ColliderOf(index);
            if (TestPair(ownCollider, other,
                         otherCollider != nullptr ? otherCollider : FirstCollider(other),
                         stack.GetCurrent(), &broadPhase, index) &&
                !broadPhase.StillNear(ownCollider, stack.GetCurrent(), index + 1)) {
                next = index + 1;
                break;
            }
        }
    }
}

bool DynamicBody2D::TestPair(const Collision::Collider& ownCollider, Entity& other,
                             const Collision::Collider* otherCollider, const Matrix3x3& world,
                             Collision::ContactBroadPhase* broadPhase, std::uint32_t index) {
    Entity& own = *GetOwner();
    if (&other == &own) {
        return false;
    }
    // A plain circle against a rectangle the broad phase keeps as faces: the same test,
    // without reading the rectangle.
    const Collision::RectFaces* faces =
        broadPhase != nullptr && &typeid(ownCollider) == &typeid(Collision::CircleCollider)
            ? broadPhase->FacesOf(index)
            : nullptr;
    Vector2 newVelocity;
    const bool touches = faces != nullptr
                             ? static_cast<const Collision::CircleCollider&>(ownCollider)
                                   .TouchesFaces(*faces, newVelocity, world)
                             : otherCollider != nullptr &&
                                   ownCollider.TestAgainst(*otherCollider, newVelocity, world);
    if (!touches) {
        return false;
    }
    Answer(own, other, newVelocity, broadPhase, index);
    return true;
}

void DynamicBody2D::Answer(Entity& own, Entity& other, const Vector2& newVelocity,
                           Collision::ContactBroadPhase* broadPhase, std::uint32_t index,
                           std::uint64_t* otherQuiet) {
    ResolveVelocity(newVelocity);
    AnswerPlaced(own, other, newVelocity, broadPhase, index, otherQuiet);
}

void DynamicBody2D::AnswerPlaced(Entity& own, Entity& other, const Vector2& newVelocity,
                                 Collision::ContactBroadPhase* broadPhase, std::uint32_t index,
                                 std::uint64_t* otherQuiet) {
    rest_.resolvedEdits = GetTransform()->GetEdits();
    if (rest_.drafting) {
        NoteContact(other, index, newVelocity);
    }
    own.GetContactListeners().Invoke(OnCollisionEvent(&other));
    // A body or a contact listener comes to the other only with a change of the tree's
    // shape: while there is none, the other stays as quiet as it was found.
    const std::uint64_t shape = EntityTree::ShapeStamp();
    if (otherQuiet == nullptr || *otherQuiet != shape) {
        // Looked up after the hooks, which may have given the other a body.
        DynamicBody2D* otherBody =
            broadPhase != nullptr ? broadPhase->BodyOf(index) : FirstDynamicBody(other);
        if (otherBody != nullptr) {
            otherBody->ResolveVelocity(-newVelocity);
        }
        Events::ListenerList& otherHooks = other.GetContactListeners();
        otherHooks.Invoke(OnCollisionEvent(&own));
        if (otherQuiet != nullptr) {
            *otherQuiet = otherBody == nullptr && otherHooks.Empty() ? shape : 0;
        }
    }
    // Only a pass through the broad phase is recorded.
    if (rest_.drafting &&
        (broadPhase == nullptr || !Unperturbed(*broadPhase, *ownCollider_, newVelocity))) {
        rest_.drafting = false;
    }
}

}  // namespace VelaEngine
