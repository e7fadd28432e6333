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

TEST_F(WindTest, PTwicePausesWithTheCursorPictureThenResumesWithTheFan) {
    Start(FanSceneText("-140,-140"));
    Time* time = nullptr;
    Run(
        6,
        [&](unsigned frame) {
            SkipCountdown(frame);
            SetKey(kKeyP, frame == 3 || frame == 5);
            SetKey(kMouseLeft, frame >= 4);
        },
        [&](unsigned frame) {
            time = &Time::Get();
            const Game::Wind& wind = The<Game::Wind>("Fan");
            const auto& image = The<Graphics::Image>("Fan");
            if (frame == 2) {
                EXPECT_FALSE(wind.showingCursor);
                EXPECT_EQ(image.GetSprite(), SpriteNamed("sprites/gameplay/entities/fan"));
            }
            if (frame == 3 || frame == 4) {
                SCOPED_TRACE(frame);
                EXPECT_TRUE(time->IsPaused());
                EXPECT_EQ(PositionOf("OptionsWindow"), Vector2(0.0f, 0.0f));
                EXPECT_TRUE(wind.showingCursor);
                EXPECT_EQ(image.GetSprite(), SpriteNamed("sprites/centercursor"));
                EXPECT_EQ(Named("Fan").GetTransform().GetRotation(), 0.0f);
                // Held from frame 4, but nothing blows while paused.
                EXPECT_EQ(PlaneBody().GetVelocity(), Vector2(0.0f, 0.0f));
                EXPECT_FALSE(The<Mecanim::Animation>("Fan").IsEnabled());
            }
            if (frame == 5) {
                EXPECT_FALSE(time->IsPaused());
                EXPECT_EQ(PositionOf("OptionsWindow"), Vector2(100000000.0f, 100000000.0f));
                EXPECT_FALSE(wind.showingCursor);
                EXPECT_NEAR(PlaneBody().GetVelocity().Length(), 29.1666667f, 1e-3);
            }
            if (frame == 6) {
                EXPECT_TRUE(The<Mecanim::Animation>("Fan").IsEnabled());
                // The animation's frame wins over the fan picture while blowing.
                EXPECT_EQ(image.GetSprite(), SpriteNamed("sprites/gameplay/entities/fan_spin1"));
            }
        });
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

TEST_F(WindTest, NothingAfterTheLevelHasEnded) {
    Start(FanSceneText("-140,-140"));
    Run(
        3,
        [](unsigned frame) {
            SkipCountdown(frame);
            The<Game::GameManager>("Manager").levelEnded = frame >= 2;
            SetKey(kMouseLeft, frame >= 2);
            SetKey(kKeyP, frame == 2);
        },
        nullptr);
    EXPECT_FALSE(Time::Get().IsPaused());
    EXPECT_EQ(PlaneBody().GetVelocity(), Vector2(0.0f, 0.0f));
    EXPECT_TRUE(The<Mecanim::Animation>("Fan").IsEnabled());
}
