#include "game/Wind.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/animation/Animation.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/graphics/Sprite.h"
#include "engine/scene/Resources.h"
#include "game/GameManager.h"
#include "tests/game/FlightTestSupport.h"

using namespace VelaEngine;
using namespace FlightTest;

namespace {

// The camera sits at (50, 20), so the fan's point in the world is its own position moved by
// that much.
std::string FanSceneText(const std::string& fanPosition, float fanRotation = 0.0f) {
    return ManagerText() + PlaneText("0,0", 0.0f) + EntityText("Camera", "50,20") + "\tCamera\n" +
           EntityText("Fan", fanPosition, fanRotation) +
           "\tImage\n\t\tw\t80\n\t\th\t80\n"
           "\tAudioSource\n\tWind\n\tParticleSystem\n"
           "\tAnimation\n\t\tloop\tt\n"
           "\t\tclip\t0.15\t0\tImage\tsprite:sprites/gameplay/entities/fan_spin1\n" +
           EntityText("OptionsWindow", "7,7");
}

std::shared_ptr<Graphics::Sprite> SpriteNamed(const std::string& name) {
    return Resources::Get().Get<Graphics::Sprite>(name);
}

using WindTest = FlightScene;

void SkipCountdown(unsigned frame) {
    if (frame == 1) {
        FlightScene::Plane().countdownLeft = 0.0f;
    }
}

}  // namespace

TEST_F(WindTest, HeldWithin300UnitsTheFanAddsItsImpulseFromTheCursorToThePlane) {
    // Cursor point (-90, -120): 150 units from the plane, along (0.6, 0.8).
    Start(FanSceneText("-140,-140"));
    Vector2 push;
    Run(
        4,
        [](unsigned frame) {
            SkipCountdown(frame);
            SetKey(kMouseLeft, frame >= 2);
            if (frame == 3) {
                // Cursor point (-180, -240): exactly 300 units away, too far to push.
                Named("Fan").GetTransform().SetPosition(Vector2(-230.0f, -260.0f));
                Named("Airplane").GetTransform().SetPosition(Vector2(0.0f, 0.0f));
                PlaneBody().SetVelocity(Vector2(0.0f, 0.0f));
            }
        },
        [&](unsigned frame) {
            if (frame == 1) {
                EXPECT_EQ(PlaneBody().GetVelocity(), Vector2(0.0f, 0.0f));
            }
            if (frame == 2) {
                push = PlaneBody().GetVelocity();
            }
        });
    // (1 - 150 / 300) x 3500 / 60 = 29.1666...
    EXPECT_NEAR(push.Length(), 29.1666667f, 1e-3);
    EXPECT_NEAR(push.x, 0.6f * 29.1666667f, 1e-3);
    EXPECT_NEAR(push.y, 0.8f * 29.1666667f, 1e-3);
    EXPECT_EQ(PlaneBody().GetVelocity(), Vector2(0.0f, 0.0f));
    // At 300 units the fan still turns to the plane and blows a particle every frame.
    EXPECT_NEAR(Named("Fan").GetTransform().GetRotation(), 53.130102f, 1e-3);
    EXPECT_TRUE(The<Mecanim::Animation>("Fan").IsEnabled());
    EXPECT_EQ(The<Graphics::ParticleSystem>("Fan").GetParticles().size(), 3u);
}

// P twice pauses with the cursor picture, then resumes with the fan; once the level has ended
// (frame 7 on), neither P nor the mouse does anything.
TEST_F(WindTest, PTwicePausesWithTheCursorPictureThenResumesWithTheFanUntilTheLevelEnds) {
    Start(FanSceneText("-140,-140"));
    Run(
        8,
        [](unsigned frame) {
            SkipCountdown(frame);
            SetKey(kKeyP, frame == 3 || frame == 5 || frame == 7);
            SetKey(kMouseLeft, frame >= 4);
            if (frame == 7) {
                The<Game::GameManager>("Manager").levelEnded = true;
                PlaneBody().SetVelocity(Vector2(0.0f, 0.0f));
            }
        },
        [](unsigned frame) {
            SCOPED_TRACE(frame);
            const bool paused = frame == 3 || frame == 4;
            const bool cursor = The<Game::Wind>("Fan").showingCursor;
            const auto sprite = The<Graphics::Image>("Fan").GetSprite();
            EXPECT_EQ(Time::Get().IsPaused(), paused);
            EXPECT_EQ(cursor, paused);
            EXPECT_EQ(PositionOf("OptionsWindow"), paused      ? Vector2(0.0f, 0.0f)
                                                   : frame < 3 ? Vector2(7.0f, 7.0f)
                                                               : Vector2(1e8f, 1e8f));
            if (frame == 2) {
                EXPECT_EQ(sprite, SpriteNamed("sprites/gameplay/entities/fan"));
            }
            if (paused) {
                EXPECT_EQ(sprite, SpriteNamed("sprites/centercursor"));
                EXPECT_EQ(Named("Fan").GetTransform().GetRotation(), 0.0f);
                // Held from frame 4, but nothing blows while paused.
                EXPECT_EQ(PlaneBody().GetVelocity(), Vector2(0.0f, 0.0f));
                EXPECT_FALSE(The<Mecanim::Animation>("Fan").IsEnabled());
            }
            if (frame == 5) {
                EXPECT_NEAR(PlaneBody().GetVelocity().Length(), 29.1666667f, 1e-3);
            }
            if (frame >= 6) {
                EXPECT_TRUE(The<Mecanim::Animation>("Fan").IsEnabled());
            }
            if (frame == 6) {
                // The animation's frame wins over the fan picture while blowing.
                EXPECT_EQ(sprite, SpriteNamed("sprites/gameplay/entities/fan_spin1"));
            }
        });
    EXPECT_EQ(PlaneBody().GetVelocity(), Vector2(0.0f, 0.0f));
}

TEST_F(WindTest, DuringTheFirstOneAndAHalfSecondsOnlyTheAnimationFollowsTheMouse) {
    Start(FanSceneText("-140,-140", 10.0f));
    Run(
        100,
        [](unsigned frame) {
            SetKey(kKeyP, frame == 30 || frame == 100);
            SetKey(kMouseLeft, frame >= 30 && frame <= 40);
        },
        [](unsigned frame) {
            if (frame == 30 || frame == 40) {
                SCOPED_TRACE(frame);
                EXPECT_FALSE(Time::Get().IsPaused());
                EXPECT_EQ(PositionOf("OptionsWindow"), Vector2(7.0f, 7.0f));
                EXPECT_TRUE(The<Mecanim::Animation>("Fan").IsEnabled());
                EXPECT_EQ(Named("Fan").GetTransform().GetRotation(), 10.0f);
                EXPECT_TRUE(The<Graphics::ParticleSystem>("Fan").GetParticles().empty());
            }
            if (frame == 41) {
                EXPECT_FALSE(The<Mecanim::Animation>("Fan").IsEnabled());
            }
        });
    // Past 1.5 s the same key pauses.
    EXPECT_TRUE(Time::Get().IsPaused());
    EXPECT_EQ(PositionOf("OptionsWindow"), Vector2(0.0f, 0.0f));
}
