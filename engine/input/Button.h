#pragma once
// Makes its entity clickable through the entity's collider: a click inside plays the menu
// sound, tells every subscriber and is consumed.
#include <memory>

#include "engine/entity/Component.h"
#include "engine/entity/Listener.h"

namespace VelaEngine::Collision {
class Collider;
}

namespace VelaEngine::UI {

class Button : public Component {
public:
    explicit Button(Entity* owner);

    const char* GetTypeName() const override { return "Button"; }
    bool IsPassive() const override { return false; }
    // Runs with the entity's world placement on top of the matrix stack (the click pass).
    bool HandleClick() override;
    std::shared_ptr<Component> Clone(Entity* newOwner) const override;

    // Subscribers add their own listener; they hear the empty event.
    Events::ListenerList& GetClickListeners() { return clickListeners_; }
    const Events::ListenerList& GetClickListeners() const { return clickListeners_; }
    bool HasCollider() const { return !collider_.expired(); }
    // Clicks consumed so far.
    unsigned GetClickCount() const { return clicks_; }

private:
    // The collider is looked for once, when the entity starts.
    void OnStart(const Events::EventBase& event);

    Events::ListenerList clickListeners_;
    Events::ClassListener<Button> startListener_{this, &Button::OnStart};
    std::weak_ptr<Collision::Collider> collider_;
    unsigned clicks_ = 0;
};

}  // namespace VelaEngine::UI
