#pragma once
#include <unordered_map>

#include "engine/core/Singleton.h"
#include "engine/scene/Vector2.h"

namespace VelaEngine {

// The named input states the game reads instead of raw keys. 10 is never set.
enum InputCode : int {
    MouseLeftHeld = 0,
    MouseRightHeld = 1,
    MouseLeftPressed = 2,
    MouseRightPressed = 3,
    EscapePressed = 4,
    PPressed = 5,
    SpacePressed = 6,
    SpaceHeld = 7,
    EnterPressed = 8,
    APressed = 9,
    IHeld = 11,
    // Set for the one update that finds the window has lost the keyboard focus.
    FocusLost = 12,
    F11Pressed = 13,
};

// Turns the platform's key and cursor snapshot into screen-space cursor and input states.
class Input : public Singleton<Input> {
public:
    static constexpr const char* kServiceName = "Input";

    void Update();
    Point2& GetCursor() { return cursor_; }
    // An absent code is fatal: every code exists from the first update on.
    bool& GetState(int code);
    bool& IsClicked() { return GetState(MouseLeftPressed); }

private:
    Point2 cursor_;
    std::unordered_map<int, bool> states_;
    // The focus at the previous update; none before the first, so a window that starts
    // without the focus has lost nothing.
    int windowWasActive_ = -1;
};

}  // namespace VelaEngine

VELA_SERVICE_HOLDER_DECLARATION(VelaEngine::Input)
