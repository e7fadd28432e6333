#include "engine/input/ButtonPointer.h"

#include "engine/entity/EntityPasses.h"
#include "engine/input/Button.h"
#include "engine/input/Input.h"

namespace VelaEngine::UI {

namespace {
// 0 names no button.
unsigned lastSerial = 0;
unsigned hoveredSerial = 0;
unsigned pressedSerial = 0;
}  // namespace

unsigned NextButtonSerial() {
    return ++lastSerial;
}

void NotePress(unsigned serial) {
    pressedSerial = serial;
}

bool IsHoveredSerial(unsigned serial) {
    return serial != 0 && serial == hoveredSerial;
}

bool IsPressedSerial(unsigned serial) {
    return serial != 0 && serial == pressedSerial;
}

void Button::UpdatePointer(EntityList& roots) {
    hoveredSerial = 0;
    // The topmost button hides the ones under it, exactly as it would take the click.
    const auto topmost = [](Component& component) {
        auto* button = dynamic_cast<Button*>(&component);
        if (button == nullptr || !button->ContainsCursor()) {
            return false;
        }
        hoveredSerial = button->serial_;
        return true;
    };
    for (auto it = roots.rbegin(); it != roots.rend(); ++it) {
        if (TopDownPass(**it, topmost)) {
            break;
        }
    }
    if (!Input::Get().GetState(MouseLeftHeld)) {
        pressedSerial = 0;
    }
}

PointerLook Button::GetPointerLook() const {
    if (!IsHoveredSerial(serial_)) {
        return PointerLook::Normal;
    }
    // Held elsewhere and dragged over, a button only lights up: it did not take that press.
    return IsPressedSerial(serial_) ? PointerLook::Pressed : PointerLook::Hovered;
}

}  // namespace VelaEngine::UI
