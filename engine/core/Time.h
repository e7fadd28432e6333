#pragma once
#include "engine/core/Singleton.h"

namespace VelaEngine {

// Frame timing, delta time, time scale, the frame-rate cap and the game-wide pause flag.
class Time : public Singleton<Time> {
public:
    static constexpr const char* kServiceName = "Time";

    Time();

    void FrameStart();
    // Holds the frame until the target frame time has passed since its start.
    void FrameEnd();

    // 0 while paused: everything that counts or moves by frame time stands still, so no
    // behaviour has to remember to check the pause itself.
    float GetDeltaTime() const { return paused_ ? 0.0f : unscaledDelta_ * timeScale_; }
    // Frame time before the time scale, still 0 while paused: for fades that should not
    // slow down with slow motion.
    float GetUnscaledDeltaTime() const { return paused_ ? 0.0f : unscaledDelta_; }
    void SetTimeScale(float scale) { timeScale_ = scale; }
    float GetTimeScale() const { return timeScale_; }
    void SetFrameRate(unsigned framesPerSecond);
    float GetTimeSinceStart() const;
    bool IsPaused() const { return paused_; }
    void SetPaused(bool paused) { paused_ = paused; }

private:
    float timeScale_ = 1.0f;
    bool firstFrame_ = true;
    // Clock readings are kept in double: in float, a millisecond count loses sub-millisecond
    // precision within hours and the measured delta would drift.
    double startClock_ = 0.0;
    double frameStartClock_ = 0.0;
    float targetFrameTime_ = 0.0f;
    float unscaledDelta_ = 0.0f;
    bool paused_ = false;
};

}  // namespace VelaEngine

VELA_SERVICE_HOLDER_DECLARATION(VelaEngine::Time)
