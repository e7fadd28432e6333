#include "game/Wind.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/animation/Animation.h"
#include "engine/entity/Angles.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/graphics/Sprite.h"
#include "engine/scene/Resources.h"
#include "game/GameManager.h"
#include "game/HazardWind.h"
#include "tests/game/FlightTestSupport.h"

using namespace VelaEngine;
using namespace FlightTest;

using WindTest = FlightScene;

// For the first 1.5 s of the countdown (frames 30 to 40) only the animation follows the mouse;
// the countdown is cut at frame 99. Then P twice pauses with the cursor picture (frames 100 and
// 101) and resumes with the fan, which pushes the plane from 150 units (102) but not from 300
// (103); once the level has ended (104 on), neither P nor the mouse does anything.
TEST_F(WindTest, TheFanPushesThePlaneFromTheCursorAndPTogglesThePauseUntilTheLevelEnds) {
    // The camera sits at (50, 20), so the fan's cursor point is its position moved by that much.
    Start(ManagerText() + PlaneText("0,0", 0.0f) + EntityText("Camera", "50,20") + "\tCamera\n" +
          EntityText("Fan", "-140,-140", 10.0f) +
          "\tImage\n\t\tw\t80\n\t\th\t80\n\tAudioSource\n\tWind\n\tParticleSystem\n"
          "\tAnimation\n\t\tloop\tt\n"
          "\t\tclip\t0.15\t0\tImage\tsprite:sprites/gameplay/entities/fan_spin1\n" +
          EntityText("OptionsWindow", "7,7"));
    Run(
        105,
        [](unsigned frame) {
            if (frame == 99) {
                Plane().countdownLeft = 0.0f;
            }
            SetKey(0x50, frame == 100 || frame == 102 || frame == 104);  // P
            SetKey(kMouseLeft, (frame >= 30 && frame <= 40) || frame >= 101);
            if (frame == 103 || frame == 104) {
                // Cursor point (-180, -240) at 103, (-90, -120) at 104: 300 and 150 units from
                // the plane, along (0.6, 0.8).
                Named("Fan").GetTransform().SetPosition(frame == 103 ? Vector2(-230.0f, -260.0f)
                                                                     : Vector2(-140.0f, -140.0f));
                Named("Airplane").GetTransform().SetPosition(Vector2(0.0f, 0.0f));
                PlaneBody().SetVelocity(Vector2(0.0f, 0.0f));
            }
            if (frame == 104) {
                The<Game::GameManager>("Manager").levelEnded = true;
            }
        },
        [](unsigned frame) {
            SCOPED_TRACE(frame);
            const bool paused = frame == 100 || frame == 101;
            const auto sprite = The<Graphics::Image>("Fan").GetSprite();
            const bool animated = The<Mecanim::Animation>("Fan").IsEnabled();
            EXPECT_EQ(Time::Get().IsPaused(), paused);
            EXPECT_EQ(The<Game::Wind>("Fan").showingCursor, paused);
            EXPECT_EQ(PositionOf("OptionsWindow"), paused        ? Vector2(0.0f, 0.0f)
                                                   : frame < 100 ? Vector2(7.0f, 7.0f)
                                                                 : Vector2(1e8f, 9999999.0f));
            if (frame == 99) {
                EXPECT_EQ(sprite,
                          Resources::Get().Get<Graphics::Sprite>("sprites/gameplay/entities/fan"));
            }
            if (frame == 30 || frame == 40) {
                EXPECT_TRUE(animated);
                EXPECT_EQ(Named("Fan").GetTransform().GetRotation(), 10.0f);
                EXPECT_TRUE(The<Graphics::ParticleSystem>("Fan").GetParticles().empty());
            }
            if (frame == 41) {
                EXPECT_FALSE(animated);
            }
            if (paused) {
                // The cursor picture stands upright.
                EXPECT_EQ(sprite, Resources::Get().Get<Graphics::Sprite>("sprites/centercursor"));
                EXPECT_EQ(Named("Fan").GetTransform().GetRotation(), 0.0f);
                // Held from frame 101, but nothing blows while paused.
                EXPECT_EQ(PlaneBody().GetVelocity(), Vector2(0.0f, 0.0f));
                EXPECT_FALSE(animated);
            }
            if (frame == 102) {
                // (1 - 150 / 300) x 3500 / 60 = 29.1666...
                const Vector2 push = PlaneBody().GetVelocity();
                EXPECT_NEAR(push.x, 0.6f * 29.1666667f, 1e-3);
                EXPECT_NEAR(push.y, 0.8f * 29.1666667f, 1e-3);
            }
            if (frame >= 103) {
                EXPECT_TRUE(animated);
            }
            if (frame == 103) {
                // Too far to push, the fan still turns to the plane and blows a particle each
                // frame; the animation's frame wins over the fan picture while blowing.
                EXPECT_EQ(PlaneBody().GetVelocity(), Vector2(0.0f, 0.0f));
                EXPECT_NEAR(Named("Fan").GetTransform().GetRotation(), 53.130102f, 1e-3);
                EXPECT_EQ(The<Graphics::ParticleSystem>("Fan").GetParticles().size(), 2u);
                EXPECT_EQ(sprite, Resources::Get().Get<Graphics::Sprite>(
                                      "sprites/gameplay/entities/fan_spin1"));
            }
        });
    EXPECT_EQ(PlaneBody().GetVelocity(), Vector2(0.0f, 0.0f));
}

using HazardWindTest = FlightScene;

// One case a frame: the fan turned and the plane placed and stopped before it. The fan blows
// two particles and pushes in every frame but the paused one.
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
            // The paused case comes last.
            EXPECT_EQ(The<Graphics::ParticleSystem>("Fan").GetParticles().size(),
                      2u * (c.paused ? frame - 1 : frame));
            const Vector2 v = PlaneBody().GetVelocity();
            // (1 - d / 500) x 2500 per second, away from the fan.
            const float expected =
                c.pushes ? (1.0f - c.planeDistance / 500.0f) * 2500.0f / 60.0f : 0.0f;
            EXPECT_NEAR(v.x, expected * std::cos(bearingOf(frame)), 1e-3);
            EXPECT_NEAR(v.y, expected * std::sin(bearingOf(frame)), 1e-3);
        });
}
