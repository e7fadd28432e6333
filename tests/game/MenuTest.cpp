// The options menu fixture: clicks on its buttons and what they leave in the scene and in
// the record file.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "engine/audio/AudioManager.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/Sprite.h"
#include "engine/persistence/Records.h"
#include "engine/scene/SceneManager.h"
#include "support/FatalCatcher.h"
#include "tests/game/FlightTestSupport.h"

using namespace FlightTest;
using namespace VelaEngine;

namespace {

std::string SpriteOf(const std::string& entity) {
    return FlightScene::The<Graphics::Image>(entity).GetSprite()->GetPath();
}

using Menu = FlightScene;

// One click every other frame: the skins, the volume, the mover, then Quit.
TEST_F(Menu, EveryButtonDoesItsPartAndQuitEndsTheLoopAfterItsFrame) {
    WriteRecords("planeSkin\t4\nvolume\t0.970000");
    StartFixture("menu");
    const std::vector<Click> clicks = {{3, 300, 300},  {5, -300, 300},   {7, 400, -300},
                                       {9, 400, -300}, {11, -400, -300}, {13, -600, 0},
                                       {17, 600, -400}};
    unsigned last = 0;
    Run(
        100, [&](unsigned frame) { PlayClicks(frame, clicks); },
        [&](unsigned frame) {
            last = frame;
            SCOPED_TRACE(frame);
            if (frame == 1) {
                EXPECT_TRUE(
                    SpriteOf("SkinPreview").ends_with("/sprites/gameplay/entities/ball4.png"));
                EXPECT_FLOAT_EQ(Audio::AudioManager::Get().GetVolume(), 0.97f);
                EXPECT_EQ(PositionOf("Early"), Vector2(700, 300));
            }
            if (frame == 3) {
                // The skins wrap from the last to the first and back.
                EXPECT_TRUE(SpriteOf("SkinPreview").ends_with("/ball1.png"));
            }
            if (frame == 9) {
                // The volume stops at one; the bar shows it between its ends.
                EXPECT_EQ(Audio::AudioManager::Get().GetVolume(), 1.0f);
                EXPECT_EQ(PositionOf("VolBar"), Vector2(200, -300));
            }
            if (frame == 12) {
                EXPECT_NEAR(PositionOf("VolBar").x, 180.0f, 1e-4);
                EXPECT_EQ(PositionOf("Cargo"), Vector2(0, -150));
            }
        });
    EXPECT_TRUE(SpriteOf("SkinPreview").ends_with("/ball4.png"));
    EXPECT_EQ(TestSupport::ReadRecords(home.Path()),
              (std::map<std::string, std::string>{{"planeSkin", "4"}, {"volume", "0.950000"}}));
    EXPECT_EQ(PositionOf("Cargo"), Vector2(700, 300));
    EXPECT_EQ(last, 17u);
}

// The switch shows the mode it turned on and saves it for the next start.
TEST_F(Menu, TheFullScreenButtonSwitchesShowsTheModeAndSavesIt) {
    StartFixture("menu");
    Run(
        3,
        [](unsigned frame) {
            PlayClicks(frame, {{3, 0, 150}});
        },
        [](unsigned frame) {
            if (frame == 1) {
                EXPECT_TRUE(SpriteOf("Fullscreen").ends_with("/sprites/buttons/fullscreenoff.png"));
            }
        });
    EXPECT_TRUE(SpriteOf("Fullscreen").ends_with("/sprites/buttons/fullscreenon.png"));
    EXPECT_EQ(TestSupport::ReadRecords(home.Path()),
              (std::map<std::string, std::string>{{"fullScreen", "t"}}));
}

// A record file that could not be read whole is not saved over by the reset either: the
// player never saw what it holds. The reset clears this run's values and says so.
TEST_F(Menu, AResetClearsTheRunButKeepsARecordFileThatCouldNotBeRead) {
    const std::string text = "planeSkin\t3\n" + std::string(17 << 20, 'z');
    WriteRecords(text);
    StartFixture("menu");
    EXPECT_EQ(Records::Get().GetInt("planeSkin", 0), 3);
    Run(
        4,
        [](unsigned frame) {
            PlayClicks(frame, {{3, 0, 0}});
        },
        nullptr);
    EXPECT_EQ(PositionOf("DataResetWindow"), Vector2(0, 0));
    EXPECT_EQ(Records::Get().GetInt("planeSkin", 0), 0) << "this run's values are cleared";
    EXPECT_TRUE(TestSupport::ReadText(TestSupport::RecordPath(home.Path())) == text)
        << "the record file changed";
}

// The tinter shows the buttons held and steps up on each click of "Button"; holding the left
// button never leaves the scene.
TEST_F(Menu, TheClickTinterShowsTheButtonsHeldAndStaysInItsScene) {
    const std::string button =
        "\tCanvas\n\t\trenderMode\tScreenSpace\n\tImage\n\t\tw\t100\n\t\th\t100\n"
        "\tRectCollider\n\t\tw\t100\n\t\th\t100\n\tButton\n";
    Start(EntityText("Button", "300,0") + button + EntityText("Tinter", "0,0") +
          "\tImage\n\t\tw\t50\n\t\th\t50\n\tClickTinter\n");
    const Graphics::Color white(1, 1, 1, 1);
    const Graphics::Color red(1, 0, 0, 1);
    const Graphics::Color magenta(1, 0, 1, 1);
    const Graphics::Color blue(0, 0, 1, 1);
    const Graphics::Color tints[] = {white, red, red, magenta, blue, red, white};
    const std::string message = TestSupport::FatalMessageOf([&] {
        Run(
            7,
            [](unsigned frame) {
                PointAt(frame == 6 ? 300.0f : -300.0f, 0.0f);
                SetKey(kMouseLeft, (frame >= 2 && frame <= 4) || frame == 6);
                SetKey(0x02, frame == 4 || frame == 5);
            },
            [&](unsigned frame) {
                SCOPED_TRACE(frame);
                EXPECT_EQ(The<Graphics::Image>("Tinter").GetTint(), tints[frame - 1]);
                EXPECT_EQ(SceneManagement::SceneManager::Get().GetCurrentSceneName(),
                          "scenes/level");
            });
    });
    EXPECT_EQ(message, "");
    EXPECT_EQ(PositionOf("Tinter"), Vector2(0.0f, 10.5f));
}

}  // namespace
