#pragma once
// What a pilot program sees after each step: one JSON line with the frame, the camera, the
// cursor, the plane, the level's state and the colliders on screen.
#include <string>

namespace VelaRun {

// `running` is false once the game has ended and no further frame can run.
std::string Observe(unsigned frame, bool running);

}  // namespace VelaRun
