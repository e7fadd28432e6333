#pragma once
// The base of everything delivered to listeners, and the one empty event shared by every
// firing that carries no data.

namespace VelaEngine::Events {

class EventBase {
public:
    virtual ~EventBase() = default;
};

// The same instance for the whole process.
const EventBase& EmptyEvent();

}  // namespace VelaEngine::Events
