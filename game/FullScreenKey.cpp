#include "game/FullScreenKey.h"

#include "engine/input/Input.h"
#include "game/FullScreenChoice.h"

namespace Game {

using namespace VelaEngine;

void FullScreenKey::Update() {
    if (Input::Get().GetState(F11Pressed)) {
        SwitchFullScreen();
    }
}

}  // namespace Game
