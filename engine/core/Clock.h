#pragma once
// The one millisecond clock the engine reads. The game uses the monotonic wall clock; tests
// and tools install a fixed-step clock so that every frame lasts exactly the target time.

namespace VelaEngine {

struct FrameClock {
    virtual ~FrameClock() = default;
    // Milliseconds since an arbitrary origin; never goes backwards.
    virtual double NowMs() = 0;
    // Returns once NowMs() >= deadlineMs.
    virtual void WaitUntilMs(double deadlineMs) = 0;
};

// Monotonic wall clock; waits sleep to about 2 ms before the deadline and spin the rest.
class WallClock final : public FrameClock {
public:
    double NowMs() override;
    void WaitUntilMs(double deadlineMs) override;
};

// Time stands still until a wait, which jumps exactly to the deadline.
class FixedStepClock final : public FrameClock {
public:
    double NowMs() override { return now_; }
    void WaitUntilMs(double deadlineMs) override;

private:
    double now_ = 0.0;
};

// The clock in use (a wall clock unless another was installed). Not owned.
FrameClock& GetClock();
// Installs a clock; null restores the wall clock. The caller keeps it alive while installed.
void SetClock(FrameClock* clock);

}  // namespace VelaEngine
