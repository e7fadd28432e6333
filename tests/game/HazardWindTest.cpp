#include "game/HazardWind.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/entity/Angles.h"
#include "engine/graphics/ParticleSystem.h"
#include "tests/game/FlightTestSupport.h"

using namespace VelaEngine;
using namespace FlightTest;

namespace {

struct HazardCase {
    const char* name;
    float fanRotation;
    float planeBearing;  // degrees from the fan's facing
    float planeDistance;
    bool pushes;
};

std::ostream& operator<<(std::ostream& out, const HazardCase& c) {
    return out << c.name;
}

struct HazardWindTest : FlightScene, testing::WithParamInterface<HazardCase> {};
using PausedHazardWindTest = FlightScene;

}  // namespace

TEST_P(HazardWindTest, PushesThePlaneOnlyWithin45DegreesAnd500Units) {
    const HazardCase& c = GetParam();
    const float bearing = (c.fanRotation + c.planeBearing) * kDegToRad;
    const Vector2 plane(c.planeDistance * std::cos(bearing), c.planeDistance * std::sin(bearing));
    Start(EntityText("Fan", "0,0", c.fanRotation) + "\tHazardWind\n\tParticleSystem\n" +
          PlaneText(plane.Serialize(), 0.0f, false));
    Run(1, nullptr, nullptr);
    const Game::HazardWind& fan = The<Game::HazardWind>("Fan");
    EXPECT_NEAR(fan.planeAngle, std::fabs(c.planeBearing), 1e-2);
    EXPECT_EQ(The<Graphics::ParticleSystem>("Fan").GetParticles().size(), 2u);
    const Vector2 v = PlaneBody().GetVelocity();
    if (!c.pushes) {
        EXPECT_EQ(v, Vector2(0.0f, 0.0f));
        return;
    }
    // (1 - d / 500) x 2500 per second, away from the fan.
    const float expected = (1.0f - c.planeDistance / 500.0f) * 2500.0f / 60.0f;
    EXPECT_NEAR(v.Length(), expected, 1e-3);
    EXPECT_NEAR(v.x, expected * std::cos(bearing), 1e-3);
    EXPECT_NEAR(v.y, expected * std::sin(bearing), 1e-3);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HazardWindTest,
    testing::Values(HazardCase{"StraightAheadAt250", 0.0f, 0.0f, 250.0f, true},
                    HazardCase{"At46Degrees", 0.0f, 46.0f, 250.0f, false},
                    HazardCase{"At44Degrees", 0.0f, -44.0f, 250.0f, true},
                    HazardCase{"At500", 0.0f, 0.0f, 500.0f, false},
                    // Rounding puts this plane's cosine just past 1.
                    HazardCase{"DeadAheadWhereRoundingPassesOne", 1.0f, 0.0f, 110.0f, true}),
    [](const testing::TestParamInfo<HazardCase>& info) { return std::string(info.param.name); });

TEST_F(PausedHazardWindTest, BlowsParticlesButDoesNotPush) {
    Start(EntityText("Fan", "0,0") + "\tHazardWind\n\tParticleSystem\n" +
          PlaneText("250,0", 0.0f, false));
    Run(
        3, [](unsigned) { Time::Get().SetPaused(true); }, nullptr);
    EXPECT_EQ(PlaneBody().GetVelocity(), Vector2(0.0f, 0.0f));
    // Every frame's pair, none of them old enough to expire yet.
    EXPECT_EQ(The<Graphics::ParticleSystem>("Fan").GetParticles().size(), 6u);
}
