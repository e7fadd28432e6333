// The options menu fixture: clicks on its buttons and what they leave in the scene and in
// the record file.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "engine/audio/AudioManager.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/Sprite.h"
#include "engine/persistence/Records.h"
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

// The switch shows the mode it turned on; the screen mode is the player's for this run only.
TEST_F(Menu, TheFullScreenButtonSwitchesAndShowsTheModeWithoutSavingIt) {
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
    EXPECT_FALSE(std::filesystem::exists(TestSupport::RecordPath(home.Path())));
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

}  // namespace
