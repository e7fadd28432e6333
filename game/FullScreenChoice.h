#pragma once

namespace Game {

// Switches full screen on or off and remembers the choice in the records ("fullScreen"), so
// the next start opens the way the player left it. The options' button and F11 both use it.
void SwitchFullScreen();

}  // namespace Game
