#pragma once
// The base of every game behaviour: four hooks the passes reach through the owner's lists.
#include "engine/entity/Component.h"
#include "engine/entity/Listener.h"

namespace VelaEngine {

class VelaBehavior : public Component {
public:
    // Registers the awake, start, update and contact listeners in the owner's lists.
    explicit VelaBehavior(Entity* owner);

    const char* GetTypeName() const override { return "VelaBehavior"; }

    // Once, in the first awake/start pass that reaches the entity; entity paths are resolved
    // just before it.
    virtual void Awake() {}
    // Once, after every Awake of the entity.
    virtual void Start() {}
    // Every frame, from the frame of Start on.
    virtual void Update() {}
    // Whenever a body reports a contact with the entity.
    virtual void OnCollision(Entity* const& other) { (void)other; }

    // Fired once right before Awake; entity paths register here.
    Events::ListenerList& GetBeforeAwakeListeners() { return beforeAwakeListeners_; }

private:
    void OnAwakeEvent(const Events::EventBase& event);
    void OnStartEvent(const Events::EventBase& event);
    void OnUpdateEvent(const Events::EventBase& event);
    void OnContactEvent(const Events::EventBase& event);

    // What every frame reads first, beside the component's own fields; what only the first
    // frame reads after it.
    bool awoken_ = false;
    bool started_ = false;
    Events::ClassListener<VelaBehavior> updateListener_;
    Events::ClassListener<VelaBehavior> contactListener_;
    Events::ListenerList beforeAwakeListeners_;
    Events::ClassListener<VelaBehavior> awakeListener_;
    Events::ClassListener<VelaBehavior> startListener_;
};

}  // namespace VelaEngine
