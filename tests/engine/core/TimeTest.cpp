#include <gtest/gtest.h>

#include "engine/core/Clock.h"
#include "engine/core/Time.h"

using namespace VelaEngine;

namespace {
// A clock the test moves by hand, to see what the service measures.
struct ManualClock : FrameClock {
    double now = 5000.0;
    double NowMs() override { return now; }
    void WaitUntilMs(double deadline) override {
        waitedUntil = deadline;
        if (deadline > now) {
            now = deadline;
        }
    }
    double waitedUntil = -1.0;
};

struct TimeTest : testing::Test {
    TimeTest() {
        SetClock(&clock);
        Time::Create();
        Time::Get().SetFrameRate(60);
    }
    ~TimeTest() override {
        Time::Release();
        SetClock(nullptr);
    }
    ManualClock clock;
};
}  // namespace

TEST_F(TimeTest, DeltaIsTheTargetFirstThenTheTimeBetweenFrameStarts) {
    clock.now += 2500.0;  // a slow start-up
    Time::Get().FrameStart();
    EXPECT_EQ(Time::Get().GetDeltaTime(), 1.0f / 60.0f);
    const double start = clock.now;
    clock.now += 3.0;
    Time::Get().FrameEnd();
    EXPECT_NEAR(clock.waitedUntil, start + 1000.0 / 60.0, 1e-3);

    Time::Get().FrameStart();
    clock.now += 40.0;  // a long frame: no cap can shorten it
    Time::Get().FrameEnd();
    Time::Get().FrameStart();
    EXPECT_FLOAT_EQ(Time::Get().GetDeltaTime(), 0.040f);
}

// Scale 0 and the pause both stop the delta, never the time since start; either change is
// seen by every later reader, within the same frame too.
TEST_F(TimeTest, ScaleZeroAndThePauseStopDeltaButNotTimeSinceStart) {
    Time::Get().SetTimeScale(0.0f);
    Time::Get().FrameStart();
    EXPECT_EQ(Time::Get().GetDeltaTime(), 0.0f);
    clock.now += 1500.0;
    EXPECT_FLOAT_EQ(Time::Get().GetTimeSinceStart(), 1.5f);
    Time::Get().SetTimeScale(0.5f);
    EXPECT_EQ(Time::Get().GetDeltaTime(), 0.5f / 60.0f);
    Time::Get().SetPaused(true);
    EXPECT_EQ(Time::Get().GetDeltaTime(), 0.0f);
    clock.now += 1500.0;
    EXPECT_FLOAT_EQ(Time::Get().GetTimeSinceStart(), 3.0f);
    Time::Get().SetPaused(false);
    EXPECT_EQ(Time::Get().GetDeltaTime(), 0.5f / 60.0f);
}

TEST(WallClock, NeverReturnsBeforeTheDeadline) {
    WallClock clock;
    for (double wait : {0.0, 0.1, 3.0, 7.5}) {
        const double deadline = clock.NowMs() + wait;
        clock.WaitUntilMs(deadline);
        EXPECT_GE(clock.NowMs(), deadline);
    }
}
