// The collision handler of a dynamic body: its own collider against every candidate of the
// frame, in the candidates' order.
#include <vector>

#include "engine/entity/CollisionEvents.h"
#include "engine/entity/Entity.h"
#include "engine/entity/MatrixStack.h"
#include "engine/physics/Collider.h"
#include "engine/physics/DynamicBody2D.h"

namespace VelaEngine {

namespace {
std::shared_ptr<Collision::Collider> FirstCollider(Entity& entity) {
    Collision::Collider* collider = entity.GetComponent<Collision::Collider>();
    if (collider == nullptr) {
        return nullptr;
    }
    return std::static_pointer_cast<Collision::Collider>(collider->shared_from_this());
}
}  // namespace

void DynamicBody2D::OnCollisionCandidates(const Events::EventBase& event) {
    // Already moved as the other party of a contact: that answer stands until the next step.
    if (resolvedThisFrame_) {
        return;
    }
    const auto* collisions = dynamic_cast<const Events::CollisionEvent*>(&event);
    if (collisions == nullptr) {
        return;
    }
    // Walked as a copy, so nothing a contact hook does can reach the list every body shares.
    const std::vector<Entity*> candidates = collisions->candidates;
    Entity& own = *GetOwner();
    // Components are never taken off an entity, so the first collider stays the first.
    Collision::Collider* ownCollider = own.GetComponent<Collision::Collider>();
    if (ownCollider == nullptr) {
        return;
    }
    for (Entity* other : candidates) {
        if (other == &own) {
            continue;
        }
        Vector2 newVelocity;
        if (ownCollider->TestCollision(FirstCollider(*other), newVelocity,
                                       MatrixStack::Get().GetCurrent())) {
            Answer(own, *other, newVelocity);
        }
    }
}

void DynamicBody2D::Answer(Entity& own, Entity& other, const Vector2& newVelocity) {
    ResolveVelocity(newVelocity);
    own.GetContactListeners().Invoke(OnCollisionEvent(&other));
    if (DynamicBody2D* otherBody = other.GetComponent<DynamicBody2D>()) {
        otherBody->ResolveVelocity(-newVelocity);
    }
    other.GetContactListeners().Invoke(OnCollisionEvent(&own));
}

}  // namespace VelaEngine
