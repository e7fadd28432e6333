#pragma once
#include <string>

namespace Game {

// A flight time as the player reads it: minutes, seconds and hundredths, as in 1:05.25.
// Negative and non-finite times read as 0:00.00.
std::string FormatFlightTime(float seconds);

}  // namespace Game
