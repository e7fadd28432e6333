#include "engine/entity/VelaBehavior.h"

#include <typeinfo>

#include "engine/core/VEDebug.h"
#include "engine/entity/CollisionEvents.h"
#include "engine/entity/Entity.h"

namespace VelaEngine {

VelaBehavior::VelaBehavior(Entity* owner)
    : Component(owner),
      updateListener_(this, &VelaBehavior::OnUpdateEvent),
      contactListener_(this, &VelaBehavior::OnContactEvent),
      awakeListener_(this, &VelaBehavior::OnAwakeEvent),
      startListener_(this, &VelaBehavior::OnStartEvent) {
    owner->GetAwakeListeners().Register(awakeListener_);
    owner->GetStartListeners().Register(startListener_);
    owner->GetUpdateListeners().Register(updateListener_);
    owner->GetContactListeners().Register(contactListener_);
}

void VelaBehavior::OnAwakeEvent(const Events::EventBase&) {
    beforeAwakeListeners_.Fire();
    awoken_ = true;
    Awake();
}

void VelaBehavior::OnStartEvent(const Events::EventBase&) {
    started_ = true;
    Start();
}

void VelaBehavior::OnUpdateEvent(const Events::EventBase&) {
    // A behaviour made during the update pass is reached by that same walk of the list;
    // its first Update waits for its Awake and Start in the next frame.
    if (awoken_ && started_) {
        Update();
    }
}

void VelaBehavior::OnContactEvent(const Events::EventBase& event) {
    // Contacts come as exactly this type, every frame: the cast is for anything derived.
    const auto* contact = &typeid(event) == &typeid(OnCollisionEvent)
                              ? static_cast<const OnCollisionEvent*>(&event)
                              : dynamic_cast<const OnCollisionEvent*>(&event);
    if (contact == nullptr) {
        Fail(std::string(GetTypeName()) + " received a contact that is not an OnCollisionEvent");
    }
    OnCollision(contact->other);
}

}  // namespace VelaEngine
