// A ball bouncing on a floor, run by the real vela-run and read back from its dumps.
#include <gtest/gtest.h>

#include <string>

#include "support/TempFolder.h"
#include "support/VelaRunProcess.h"

using TestSupport::Json;

namespace {

constexpr unsigned kFrames = 320;
constexpr float kDt = 1.0f / 60.0f;
constexpr float kFloorTop = -200.0f + 40.0f * 0.5f;

TEST(BounceRun, TheDumpsShowTheExpectedBounceHeights) {
    TestSupport::TempFolder out;
    std::string arguments = "--assets " FLEETWING_SOURCE_DIR
                            "/tests/engine/physics/assets --scene scenes/bounce --frames " +
                            std::to_string(kFrames);
    for (unsigned frame = 1; frame <= kFrames; ++frame) {
        arguments += " --dump-at " + std::to_string(frame) + ":" + out.Path() + "/" +
                     std::to_string(frame) + ".json";
    }
    const TestSupport::RunResult run = TestSupport::RunVelaRun(arguments, out.Path());
    ASSERT_EQ(run.status, 0) << run.output;

    // The height after each frame, worked out from the motion rules alone: a semi-implicit
    // Euler step, and within one radius of the floor's top the step is taken again from where
    // it began with the vertical speed turned round and scaled by bounce × (1 − dt). The ball
    // of radius 20 starts at rest at 200, under gravity -200, with bounce 0.5.
    float y = 200.0f;
    float v = 0.0f;
    for (unsigned frame = 1; frame <= kFrames; ++frame) {
        const float before = y;
        v += -200.0f * kDt;
        y += v * kDt;
        if (y - kFloorTop < 20.0f) {
            v = -v * 0.5f * (1.0f - kDt);
            y = before + v * kDt;
        }
        const Json dump = TestSupport::ReadJson(out.Path() + "/" + std::to_string(frame) + ".json");
        const Json& ball = TestSupport::EntityAt(dump, "Ball");
        EXPECT_EQ(ball["position"][0].number, 0.0) << "nothing pushes the ball sideways";
        ASSERT_NEAR(ball["position"][1].number, y, 0.01) << "after frame " << frame;
    }
}

}  // namespace
