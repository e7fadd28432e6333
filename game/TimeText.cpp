#include "game/TimeText.h"

#include <cmath>
#include <cstdio>

namespace Game {

std::string FormatFlightTime(float seconds) {
    // Whole hundredths, rounded once, so that 59.999 s reads 1:00.00 and not 0:60.00.
    const double clean = std::isfinite(seconds) && seconds > 0.0f ? seconds : 0.0;
    const long long hundredths = std::llround(clean * 100.0);
    char text[32];
    std::snprintf(text, sizeof(text), "%lld:%02lld.%02lld", hundredths / 6000,
                  hundredths / 100 % 60, hundredths % 100);
    return text;
}

}  // namespace Game
