#include "engine/core/Clock.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace VelaEngine {

namespace {
WallClock g_wallClock;
FrameClock* g_clock = &g_wallClock;
// Sleeping wakes late by a varying amount; the spin covers the rest of the wait. The margin
// follows how late sleeps actually wake: it jumps up at once and creeps back down.
constexpr double kMinSpinMarginMs = 0.25;
constexpr double kMaxSpinMarginMs = 4.0;
double g_spinMarginMs = 1.0;
constexpr double kSpinOnlyMs = 0.1;

void LearnOversleep(double lateMs) {
    const double wanted = std::clamp(lateMs * 1.5, kMinSpinMarginMs, kMaxSpinMarginMs);
    g_spinMarginMs = wanted > g_spinMarginMs ? wanted : g_spinMarginMs * 0.98 + wanted * 0.02;
}
}  // namespace

double WallClock::NowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

void WallClock::WaitUntilMs(double deadlineMs) {
    const double wake = deadlineMs - g_spinMarginMs;
    if (NowMs() < wake) {
        std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(wake - NowMs()));
        LearnOversleep(NowMs() - wake);
    }
    // The margin is slept off in naps of half of what is left, so a late wake seldom passes
    // the deadline; only the last tenth of a millisecond is spun. Spinning the whole margin
    // cost an idle frame more than all its other work.
    for (double left = deadlineMs - NowMs(); left > kSpinOnlyMs; left = deadlineMs - NowMs()) {
        std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(left * 0.5));
    }
    while (NowMs() < deadlineMs) {
    }
}

void FixedStepClock::WaitUntilMs(double deadlineMs) {
    if (deadlineMs > now_) {
        now_ = deadlineMs;
    }
}

FrameClock& GetClock() {
    return *g_clock;
}

void SetClock(FrameClock* clock) {
    g_clock = clock != nullptr ? clock : &g_wallClock;
}

}  // namespace VelaEngine
