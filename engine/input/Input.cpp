#include "engine/input/Input.h"

#include "engine/graphics/Display.h"
#include "platform/EBInput.h"
#include "platform/EBSystem.h"

namespace VelaEngine {

namespace {
// Win32 virtual-key codes of the keys the game reads.
constexpr unsigned char kMouseLeft = 0x01;
constexpr unsigned char kMouseRight = 0x02;
constexpr unsigned char kEnter = 0x0D;
constexpr unsigned char kEscape = 0x1B;
constexpr unsigned char kSpace = 0x20;
constexpr unsigned char kKeyA = 0x41;
constexpr unsigned char kKeyI = 0x49;
constexpr unsigned char kKeyP = 0x50;
constexpr unsigned char kF11 = 0x7A;
}  // namespace

void Input::Update() {
    const Vector2& size = Display::Get().GetWindowSize();
    EBInputUpdate();

    // The platform already divides by the full-screen scales and truncates to window pixels.
    int x = 0;
    int y = 0;
    EBInputGetCursorPosition(x, y);
    cursor_.x = static_cast<float>(x) - size.x * 0.5f;
    cursor_.y = size.y * 0.5f - static_cast<float>(y);

    states_[MouseLeftPressed] = EBInputCheckTriggered(kMouseLeft);
    states_[MouseRightPressed] = EBInputCheckTriggered(kMouseRight);
    states_[MouseLeftHeld] = EBInputCheckCurr(kMouseLeft);
    states_[MouseRightHeld] = EBInputCheckCurr(kMouseRight);
    states_[EscapePressed] = EBInputCheckTriggered(kEscape);
    states_[PPressed] = EBInputCheckTriggered(kKeyP);
    states_[SpaceHeld] = EBInputCheckCurr(kSpace);
    states_[SpacePressed] = EBInputCheckTriggered(kSpace);
    states_[EnterPressed] = EBInputCheckTriggered(kEnter);
    states_[APressed] = EBInputCheckTriggered(kKeyA);
    states_[IHeld] = EBInputCheckCurr(kKeyI);
    states_[F11Pressed] = EBInputCheckTriggered(kF11);

    const int active = EBSysIsWindowActive() != 0 ? 1 : 0;
    states_[FocusLost] = windowWasActive_ == 1 && active == 0;
    windowWasActive_ = active;
}

bool& Input::GetState(int code) {
    auto found = states_.find(code);
    if (found == states_.end()) {
        Fail("invalid unordered_map<K, T> key");
    }
    return found->second;
}

}  // namespace VelaEngine
