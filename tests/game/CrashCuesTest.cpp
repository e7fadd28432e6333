// What a crash shows: the checkpoint rescue's blink and "Checkpoint!" cue, and the camera's shake,
// read through their state; and the full-screen choice kept in the records.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "engine/graphics/Display.h"
#include "engine/graphics/Image.h"
#include "game/CameraShake.h"
#include "game/GameManager.h"
#include "game/RescueCue.h"
#include "support/TempFolder.h"
#include "tests/game/FlightTestSupport.h"

using namespace VelaEngine;
using namespace FlightTest;

namespace {

float Distance(const Vector2& a, const Vector2& b) {
    return (a - b).Length();
}

}  // namespace

using CrashCues = FlightScene;

// The plane falls on the ground, the checkpoint sends it up to (0, 300), and it falls again for
// the loss. "Cam" follows it with a shake, "Still" the same way without one: apart from the
// shake's offset the two move alike, and once a shake is over they are together again.
TEST_F(CrashCues, TheRescueBlinksThePlaneAndShowsTheCueAndEveryCrashShakesTheCamera) {
    const std::string follow = "\tFollowPlane\n\t\tplaneFinder\tAirplane\n";
    Start(ManagerText() + PlaneText("0,0") +
          "\tRescueCue\n\t\tcue\tCue\n\t\tcueAt\t0,170\n\t\tflashTime\t0.5\n\t\tcueTime\t1\n" +
          EntityText("CollisionFeedbackGroup", "0,0") + EntityText("LoseWindow", "5000,5000") +
          EntityText("Ground", "0,-100") +
          "\tStaticBody2D\n\tRectCollider\n\t\tw\t400\n\t\th\t20\n" +
          EntityText("Cue", "5000,5000") + "\tImage\n\t\tw\t560\n\t\th\t130\n" +
          EntityText("Cam", "0,0") + "\tCamera\n" + follow +
          "\tCameraShake\n\t\tduration\t0.5\n\t\tstrength\t10\n" + EntityText("Still", "0,0") +
          follow);
    unsigned rescuedAt = 0;
    unsigned lostAt = 0;
    std::set<float> alphas;
    float widest = 0.0f;
    Run(
        300,
        [](unsigned frame) {
            if (frame == 1) {
                Plane().countdownLeft = 0.0f;
                Plane().hasCheckpoint = true;
                Plane().checkpointPosition = Point2(0.0f, 300.0f);
            }
        },
        [&](unsigned frame) {
            SCOPED_TRACE(frame);
            const Game::RescueCue& cue = The<Game::RescueCue>("Airplane");
            const Game::CameraShake& shake = The<Game::CameraShake>("Cam");
            const auto& manager = The<Game::GameManager>("Manager");
            const float alpha = The<Graphics::Image>("Airplane").GetTint().a;
            const Vector2 cam = PositionOf("Cam");
            const Vector2 still = PositionOf("Still");
            if (rescuedAt == 0 && Plane().checkpointUsed) {
                rescuedAt = frame;
            }
            if (lostAt == 0 && manager.levelEnded) {
                lostAt = frame;
            }
            if (rescuedAt == 0) {
                EXPECT_FALSE(cue.IsFlashing());
                EXPECT_EQ(alpha, 1.0f);
                EXPECT_EQ(PositionOf("Cue"), Vector2(5000.0f, 5000.0f));
                EXPECT_FALSE(shake.IsShaking());
                EXPECT_EQ(cam, still) << "without a shake the follow rule is untouched";
                return;
            }
            const unsigned since = frame - rescuedAt;
            if (since >= 1 && since <= 28) {
                // The plane's cue sees the rescue in the next frame; a 0.5 s blink and shake,
                // a 1 s cue. The shake never takes the camera further than its strength.
                EXPECT_TRUE(cue.IsFlashing());
                alphas.insert(alpha);
                EXPECT_TRUE(shake.IsShaking());
                EXPECT_LE(Distance(cam, still), 10.0f + 1e-3f);
                widest = std::max(widest, Distance(cam, still));
            }
            if (since >= 1 && since <= 58) {
                EXPECT_EQ(PositionOf("Cue"), Vector2(0.0f, 170.0f));
                EXPECT_GT(The<Graphics::Image>("Cue").GetTint().a, 0.0f);
            }
            if (since == 2) {
                EXPECT_LT(Named("Cue").GetTransform().GetScale().x, 1.0f) << "it pops up";
            }
            if (since >= 32 && (lostAt == 0 || frame < lostAt)) {
                EXPECT_FALSE(cue.IsFlashing());
                EXPECT_EQ(alpha, 1.0f) << "whole again after the blink";
                EXPECT_FALSE(shake.IsShaking());
                EXPECT_EQ(shake.Offset(), Vector2());
                EXPECT_LT(Distance(cam, still), 1e-3f);
            }
            if (since >= 62) {
                EXPECT_EQ(PositionOf("Cue"), Vector2(5000.0f, 5000.0f));
                EXPECT_EQ(Named("Cue").GetTransform().GetScale(), Vector2(1.0f, 1.0f));
            }
            if (lostAt != 0 && frame > lostAt && frame <= lostAt + 28) {
                EXPECT_TRUE(shake.IsShaking()) << "the losing crash shakes too";
                EXPECT_FALSE(cue.IsFlashing()) << "only a rescue blinks";
            }
            if (lostAt != 0 && frame > lostAt + 31) {
                EXPECT_FALSE(shake.IsShaking());
            }
        });
    ASSERT_NE(rescuedAt, 0u);
    ASSERT_NE(lostAt, 0u);
    EXPECT_LT(rescuedAt + 62, lostAt);
    EXPECT_LT(lostAt + 32, 300u);
    EXPECT_EQ(alphas, (std::set<float>{0.25f, 1.0f})) << "the plane blinks";
    EXPECT_GT(widest, 3.0f) << "the shake is seen";
}

// A full-screen choice made in the options is saved; the next start's splash applies it.
TEST_F(CrashCues, TheFullScreenChoiceIsSavedAndTheNextStartOpensThatWay) {
    WriteRecords("fullScreen\tt");
    StartFixture("splash");
    EXPECT_FALSE(Display::Get().IsFullscreen()) << "the run starts windowed";
    Run(1, nullptr, nullptr);
    EXPECT_TRUE(Display::Get().IsFullscreen()) << "the saved choice is applied";
}
