#pragma once
// The two events of the collision machinery: the frame's candidate list for the bodies, and
// a contact report naming the other party.
#include <cstdint>
#include <vector>

#include "engine/entity/EventBase.h"

namespace VelaEngine {

class Entity;

namespace Events {

// Every entity that has both a collider and a body, in tree order, gathered this frame.
class CollisionEvent : public EventBase {
public:
    CollisionEvent() : serial_(NextSerial()) {}
    CollisionEvent(const CollisionEvent& other)
        : candidates(other.candidates), serial_(NextSerial()) {}
    CollisionEvent& operator=(const CollisionEvent& other) {
        candidates = other.candidates;
        listStamp = 0;
        serial_ = NextSerial();
        return *this;
    }

    std::vector<Entity*> candidates;
    // Nonzero: `candidates` is the very list of every event with this stamp. The scene's
    // frame sets it for a list it kept from frame to frame (GatherFrameCandidates); 0 says
    // nothing. A copy starts at 0: its list is its owner's to change.
    std::uint64_t listStamp = 0;

    // Differs between any two events, copies included, so that data derived from one
    // event's list is never taken for another's.
    std::uint64_t GetSerial() const { return serial_; }
    // The serial of the newest event made.
    static std::uint64_t LatestSerial() { return Counter(); }

private:
    static std::uint64_t& Counter() {
        static std::uint64_t latest = 0;
        return latest;
    }
    static std::uint64_t NextSerial() { return ++Counter(); }

    std::uint64_t serial_;
};

}  // namespace Events

class OnCollisionEvent : public Events::EventBase {
public:
    explicit OnCollisionEvent(Entity* other_) : other(other_) {}
    Entity* other = nullptr;
};

}  // namespace VelaEngine
