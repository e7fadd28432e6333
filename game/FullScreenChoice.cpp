#include "game/FullScreenChoice.h"

#include "engine/graphics/Display.h"
#include "engine/persistence/Records.h"

namespace Game {

using namespace VelaEngine;

void SwitchFullScreen() {
    Display& display = Display::Get();
    display.SetFullscreen(!display.IsFullscreen());
    Records& records = Records::Get();
    records.SetBool("fullScreen", display.IsFullscreen());
    records.Save();
}

}  // namespace Game
