// The small moving and marking behaviours of the fixture scenes.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "engine/graphics/Image.h"
#include "game/FollowPlane.h"
#include "tests/game/FlightTestSupport.h"

using namespace FlightTest;
using namespace VelaEngine;

namespace {

struct Seen {
    Vector2 at;
    float rotation = 0.0f;
};

using SmallBehaviours = FlightScene;

// One run of the scene holding one of each, 1/60 s a frame; the slow motion comes last, as it slows
// the rest.
TEST_F(SmallBehaviours, EachDoesItsPart) {
    WriteRecords("foundstar3_2\tt\nfoundstar2_1\tt");
    StartFixture("small");
    std::map<unsigned, std::map<std::string, Seen>> seen;
    std::map<unsigned, float> timeScale;
    Run(
        196,
        [](unsigned frame) {
            if (frame == 1 || frame == 3) {
                PointAt(frame == 1 ? 100 : 150, frame == 1 ? 50 : 20);
            }
            SetKey(0x20, frame >= 2);                    // space
            SetKey(0x02, frame == 192 || frame == 193);  // the right button
        },
        [&](unsigned frame) {
            for (const char* name :
                 {"Credits", "PacedCredits", "Spinner", "Saw", "Swing", "Wound", "Pointer"}) {
                seen[frame][name] = {PositionOf(name), Named(name).GetTransform().GetRotation()};
            }
            timeScale[frame] = Time::Get().GetTimeScale();
        });
    auto x = [&](unsigned frame, const char* name) { return seen[frame][name].at.x; };
    auto y = [&](unsigned frame, const char* name) { return seen[frame][name].at.y; };
    auto rotation = [&](unsigned frame, const char* name) { return seen[frame][name].rotation; };

    // Credits scroll slowly, fast with space, and start over past the end.
    EXPECT_NEAR(y(1, "Credits"), 3700.0 + 20.0 / 60.0, 1e-3);
    EXPECT_EQ(x(1, "Credits"), 123);
    // Frame 2 passes 3703 at 500 a second.
    EXPECT_EQ(x(2, "Credits"), 0);
    EXPECT_EQ(y(2, "Credits"), -450);
    EXPECT_NEAR(y(3, "Credits"), -450.0 + 500.0 / 60.0, 1e-3);
    // A scene may pace its credits: 70 a second, 1000 with space.
    EXPECT_NEAR(y(1, "PacedCredits"), 70.0 / 60.0, 1e-4);
    EXPECT_NEAR(y(2, "PacedCredits"), (70.0 + 1000.0) / 60.0, 1e-4);
    EXPECT_NEAR(rotation(60, "Spinner"), 90.0, 1e-3);
    // A patrol starting at its first point turns at once: frame 1 finds " WPA" within 20
    // units and turns without moving.
    EXPECT_EQ(x(1, "Saw"), 0);
    EXPECT_NEAR(x(2, "Saw"), 100.0 / 60.0, 1e-4);
    EXPECT_EQ(y(2, "Saw"), 0);
    // It stops short of " WPB" at 300 and heads back.
    float farthest = 0.0f;
    for (unsigned frame = 1; frame <= 190; ++frame) {
        farthest = std::max(farthest, x(frame, "Saw"));
    }
    EXPECT_GT(farthest, 278);
    EXPECT_LT(farthest, 282);
    EXPECT_LT(x(190, "Saw"), farthest);
    // The pendulum swings just past its limits, one degree a frame: up past 30, then back
    // down past -30.
    unsigned top = 1;
    float bottom = 1000.0f;
    for (unsigned frame = 1; frame <= 96; ++frame) {
        top = frame <= 40 && rotation(frame, "Swing") > rotation(top, "Swing") ? frame : top;
        bottom = std::min(bottom, frame > 40 ? rotation(frame, "Swing") : bottom);
    }
    EXPECT_NEAR(rotation(top + 1, "Swing"), rotation(top, "Swing") - 1.0f, 1e-3);
    EXPECT_GT(rotation(top, "Swing"), 30.0);
    EXPECT_LE(rotation(top, "Swing"), 31.001);
    EXPECT_LT(bottom, -30.0);
    EXPECT_GE(bottom, -31.001);
    EXPECT_GT(rotation(96, "Swing"), bottom);
    // A turn of -370 goes on from -10, keeping its sign.
    EXPECT_NEAR(rotation(1, "Wound"), -9.0, 1e-3);
    EXPECT_EQ(seen[1]["Pointer"].at, Vector2(100.0f, 50.0f));
    EXPECT_EQ(seen[3]["Pointer"].at, Vector2(150.0f, 20.0f));
    EXPECT_EQ(timeScale[191], 1.0f);
    EXPECT_EQ(timeScale[193], 0.25f);
    EXPECT_EQ(timeScale[196], 1.0f);
    // A star marker lights up for its found star only.
    EXPECT_EQ(The<Graphics::Image>("Found").GetTint(), Graphics::Color(1, 1, 1, 1));
    EXPECT_NEAR(The<Graphics::Image>("NotFound").GetTint().a, 0.55f, 1e-6);
}

// Two frames of an eighth of a second, then half-second frames: the card has shown 0.125 s,
// 0.25 s, 0.75 s and so on. The camera updates before the plane falls, a quarter of the way in
// an eighth: from (-40, 20) towards the resting plane at (100, 50), then towards where the plane
// will be half a second on (at 46.875 going -25 units a second); in half a second it lands on
// that point (the plane at 40.625 going -50). A one-second frame lands on it too, not past it.
TEST_F(SmallBehaviours, TheSplashFaderFadesInHoldsAndFadesOutAndFollowPlaneLooksAhead) {
    StartFixture("follow", 8);
    std::vector<float> levels;
    std::vector<Vector2> camera;
    Vector2 lead;
    Run(
        9,
        // A frame's length is set by the wait at the end of the frame before.
        [](unsigned frame) {
            if (frame == 2 || frame == 8) {
                Time::Get().SetFrameRate(frame == 2 ? 2 : 1);
            }
        },
        [&](unsigned frame) {
            if (frame == 8) {
                lead = PositionOf("Airplane") +
                       PlaneBody().GetVelocity() * Game::FollowPlane::kLookAhead;
            }
            levels.push_back(The<Graphics::Image>("Card").GetTint().a);
            camera.push_back(PositionOf("Cam"));
        });
    EXPECT_EQ(camera[8], lead);
    levels.resize(8);
    EXPECT_EQ(levels, (std::vector<float>{0.125f, 0.25f, 0.75f, 1.0f, 1.0f, 0.75f, 0.25f, 0.0f}));
    EXPECT_EQ(The<Graphics::Image>("Card").GetTint(), Graphics::Color(0.2f, 0.4f, 0.6f, 0.0f));
    camera.resize(3);
    EXPECT_EQ(camera,
              (std::vector<Vector2>{{-5.0f, 27.5f}, {21.25f, 29.21875f}, {100.0f, 15.625f}}));
}

}  // namespace
