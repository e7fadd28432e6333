#pragma once
// Makes its entity clickable through the entity's collider: a click inside plays the menu
// sound, tells every subscriber and is consumed.
#include <memory>

#include "engine/entity/Component.h"
#include "engine/entity/Entity.h"
#include "engine/entity/Listener.h"

namespace VelaEngine::Collision {
class Collider;
}

namespace VelaEngine::UI {

// How the pointer finds a button this frame: under the cursor and on top of everything else
// there (hovered), or also holding the left-button press that it took (pressed).
enum class PointerLook { Normal, Hovered, Pressed };

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

    // With the entity's world placement on top of the matrix stack; false without a collider.
    bool ContainsCursor() const;
    // What a click inside does: the menu sound, the count, the subscribers. A key that stands
    // for the button (Escape for Back) presses it the same way.
    void Press();
    PointerLook GetPointerLook() const;

    // Once a frame, before the click pass: the topmost button under the cursor, found in the
    // click pass's order, becomes the hovered one, so a dialog's own button hides the buttons
    // behind it; a press is forgotten once the left button is up.
    static void UpdatePointer(EntityList& roots);

private:
    // The collider is looked for once, when the entity starts.
    void OnStart(const Events::EventBase& event);

    Events::ListenerList clickListeners_;
    Events::ClassListener<Button> startListener_{this, &Button::OnStart};
    std::weak_ptr<Collision::Collider> collider_;
    unsigned clicks_ = 0;
    // Pointer state names buttons by serial, so one freed since never matches a new one.
    const unsigned serial_;
};

}  // namespace VelaEngine::UI
