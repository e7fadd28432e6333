#include "engine/core/Time.h"

#include "engine/core/Clock.h"

namespace VelaEngine {

Time::Time() : startClock_(GetClock().NowMs()) {}

void Time::FrameStart() {
    const double now = GetClock().NowMs();
    if (firstFrame_) {
        // Start-up may take long; the first frame pretends it took exactly one frame.
        firstFrame_ = false;
        unscaledDelta_ = targetFrameTime_;
    } else {
        unscaledDelta_ = static_cast<float>((now - frameStartClock_) / 1000.0);
    }
    frameStartClock_ = now;
}

void Time::FrameEnd() {
    GetClock().WaitUntilMs(frameStartClock_ + static_cast<double>(targetFrameTime_) * 1000.0);
}

void Time::SetFrameRate(unsigned framesPerSecond) {
    targetFrameTime_ = 1.0f / static_cast<float>(framesPerSecond);
}

float Time::GetTimeSinceStart() const {
    return static_cast<float>((GetClock().NowMs() - startClock_) / 1000.0);
}

}  // namespace VelaEngine
