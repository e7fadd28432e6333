#pragma once
// How a component that rests can take its entity's step and collision visits in one call. A
// root alone whose two visits would only repeat its last frame is visited once: the passes
// skip both when the call says it took them. Nothing in the entity model implements it.

namespace VelaEngine {

namespace Events {
class CollisionEvent;
}

class RestShortcut {
public:
    // Runs the entity's step and collision listeners' work and returns true, only when it
    // can tell both would repeat the last frame; otherwise changes nothing and returns false,
    // and the passes visit as usual. Asked only of a root with no children, outside any
    // other collision handler.
    virtual bool RepeatStepAndCollision(const Events::CollisionEvent& event) = 0;

protected:
    ~RestShortcut() = default;
};

}  // namespace VelaEngine
