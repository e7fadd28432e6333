#include "game/HazardWind.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/entity/Angles.h"
#include "engine/graphics/ParticleSystem.h"
#include "tests/game/FlightTestSupport.h"

using namespace VelaEngine;
using namespace FlightTest;

using HazardWindTest = FlightScene;

// One case a frame: the fan turned and the plane placed and stopped before it. The fan blows
// two particles every frame, paused too, but pushes only unpaused.
TEST_F(HazardWindTest, PushesThePlaneOnlyWithin45DegreesAnd500Units) {
    const struct {
        const char* name;
        float fanRotation;
        float planeBearing;  // degrees from the fan's facing
        float planeDistance;
        bool paused;
        bool pushes;
    } cases[] = {
        {"straight ahead at 250", 0.0f, 0.0f, 250.0f, false, true},
        {"at 46 degrees", 0.0f, 46.0f, 250.0f, false, false},
        {"at 44 degrees", 0.0f, -44.0f, 250.0f, false, true},
        {"at 500", 0.0f, 0.0f, 500.0f, false, false},
        // Rounding puts this plane's cosine just past 1.
        {"dead ahead where rounding passes one", 1.0f, 0.0f, 110.0f, false, true},
        {"paused", 0.0f, 0.0f, 250.0f, true, false},
    };
    Start(EntityText("Fan", "0,0") + "\tHazardWind\n\tParticleSystem\n" +
          PlaneText("1000,0", 0.0f, false));
    auto bearingOf = [&](unsigned frame) {
        return (cases[frame - 1].fanRotation + cases[frame - 1].planeBearing) * kDegToRad;
    };
    Run(
        std::size(cases),
        [&](unsigned frame) {
            const auto& c = cases[frame - 1];
            Time::Get().SetPaused(c.paused);
            Named("Fan").GetTransform().SetRotation(c.fanRotation);
            const float bearing = bearingOf(frame);
            Named("Airplane")
                .GetTransform()
                .SetPosition(Vector2(c.planeDistance * std::cos(bearing),
                                     c.planeDistance * std::sin(bearing)));
            PlaneBody().SetVelocity(Vector2(0.0f, 0.0f));
        },
        [&](unsigned frame) {
            const auto& c = cases[frame - 1];
            SCOPED_TRACE(c.name);
            EXPECT_NEAR(The<Game::HazardWind>("Fan").planeAngle, std::fabs(c.planeBearing), 1e-2);
            EXPECT_EQ(The<Graphics::ParticleSystem>("Fan").GetParticles().size(), 2u * frame);
            const Vector2 v = PlaneBody().GetVelocity();
            // (1 - d / 500) x 2500 per second, away from the fan.
            const float expected =
                c.pushes ? (1.0f - c.planeDistance / 500.0f) * 2500.0f / 60.0f : 0.0f;
            EXPECT_NEAR(v.x, expected * std::cos(bearingOf(frame)), 1e-3);
            EXPECT_NEAR(v.y, expected * std::sin(bearingOf(frame)), 1e-3);
        });
}
