#include "engine/core/Clock.h"

#include <chrono>
#include <thread>

namespace VelaEngine {

namespace {
WallClock g_wallClock;
FrameClock* g_clock = &g_wallClock;
// Sleeping is coarse; leave this much of the wait to the spin so the deadline is met exactly.
constexpr double kSpinMarginMs = 2.0;
}  // namespace

double WallClock::NowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

void WallClock::WaitUntilMs(double deadlineMs) {
    double remaining = deadlineMs - NowMs();
    if (remaining > kSpinMarginMs) {
        std::this_thread::sleep_for(
            std::chrono::duration<double, std::milli>(remaining - kSpinMarginMs));
    }
    while (NowMs() < deadlineMs) {
    }
}

void FixedStepClock::WaitUntilMs(double deadlineMs) {
    if (deadlineMs > now_) {
        now_ = deadlineMs;
    }
}

FrameClock& GetClock() { return *g_clock; }

void SetClock(FrameClock* clock) { g_clock = clock != nullptr ? clock : &g_wallClock; }

}  // namespace VelaEngine
