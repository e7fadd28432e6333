// Behaviours of the fixture scenes that need frames longer than 1/60 s.
#include <gtest/gtest.h>

#include "engine/entity/Transform.h"
#include "engine/graphics/Image.h"
#include "tests/game/FlightTestSupport.h"

using namespace FlightTest;
using namespace VelaEngine;

namespace VelaEngine {
void PrintTo(const Vector2& v, std::ostream* out) {
    *out << v.ToString();
}
}  // namespace VelaEngine

namespace {

using InProcess = FlightScene;

TEST_F(InProcess, TheSplashFaderFadesInHoldsAndFadesOut) {
    // Half-second frames: after frame k the card has shown k / 2 s.
    StartFixture("fader", 2);
    std::vector<float> levels;
    Run(7, nullptr, [&](unsigned) { levels.push_back(The<Graphics::Image>("Card").GetTint().a); });
    // 0.5 s, 1 s, 1.5 s, 2 s, 2.5 s, 3 s, 3.5 s.
    EXPECT_EQ(levels, (std::vector<float>{0.5f, 1.0f, 1.0f, 1.0f, 0.5f, 0.0f, 0.0f}));
    EXPECT_EQ(The<Graphics::Image>("Card").GetTint(), Graphics::Color(0.2f, 0.4f, 0.6f, 0.0f));
}

TEST_F(InProcess, HalfSecondFramesLandFollowPlaneOnThePointAheadOfThePlane) {
    StartFixture("follow", 2);
    std::vector<Vector2> camera;
    Run(3, nullptr, [&](unsigned) { camera.push_back(PositionOf("Cam")); });
    // The camera updates before the plane falls: first onto the resting plane, then onto
    // where the falling plane will be half a second on (at 0 going -100 units a second, then
    // at -100 going -200).
    EXPECT_EQ(camera, (std::vector<Vector2>{{100.0f, 50.0f}, {100.0f, -50.0f}, {100.0f, -200.0f}}));
}

TEST_F(InProcess, ShortFramesMoveFollowPlaneItsShareOfTheWay) {
    StartFixture("follow", 8);
    Run(1, nullptr, nullptr);
    // A quarter of the way from (-40, 20) to the resting plane at (100, 50).
    EXPECT_FLOAT_EQ(PositionOf("Cam").x, -5.0f);
    EXPECT_FLOAT_EQ(PositionOf("Cam").y, 27.5f);
}

}  // namespace
