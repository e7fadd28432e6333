#pragma once
// The two events of the collision machinery: the frame's candidate list for the bodies, and
// a contact report naming the other party.
#include <vector>

#include "engine/entity/EventBase.h"

namespace VelaEngine {

class Entity;

namespace Events {

// Every entity that has both a collider and a body, in tree order, gathered this frame.
class CollisionEvent : public EventBase {
public:
    std::vector<Entity*> candidates;
};

}  // namespace Events

class OnCollisionEvent : public Events::EventBase {
public:
    explicit OnCollisionEvent(Entity* other_) : other(other_) {}
    Entity* other = nullptr;
};

}  // namespace VelaEngine
