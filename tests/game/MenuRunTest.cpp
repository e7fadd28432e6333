// The options menu through the headless runner: clicks on its buttons and what they leave in
// the scene and in the record file.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/game/GameTestSupport.h"

using namespace GameTest;

namespace {

std::string SpriteOf(const Json& dump, const std::string& entity) {
    return ComponentOf(EntityAt(dump, entity), "Image")["sprite"].text;
}

using MenuRun = SceneRun;

// One click every other frame: the skins, the volume, the two small buttons, then Quit.
TEST_F(MenuRun, EveryButtonDoesItsPartAndQuitEndsTheRun) {
    WriteRecords("planeSkin\t4\nvolume\t0.970000");
    const std::string log =
        RunOk("menu", 100,
              ClickAt(3, 300, 300) + ClickAt(5, -300, 300) + ClickAt(7, 400, -300) +
                  ClickAt(9, 400, -300) + ClickAt(11, -400, -300) + ClickAt(13, -600, 0) +
                  ClickAt(15, -600, -150) + ClickAt(17, 600, -400),
              {1, 3, 7, 9, 12});
    // The skins wrap from the last to the first and back.
    EXPECT_TRUE(SpriteOf(At(1), "SkinPreview").ends_with("/sprites/gameplay/entities/ball4.png"));
    EXPECT_TRUE(SpriteOf(At(3), "SkinPreview").ends_with("/ball1.png"));
    EXPECT_TRUE(SpriteOf(End(), "SkinPreview").ends_with("/ball4.png"));
    // The volume stops at one; the bar shows it between its ends.
    EXPECT_FLOAT_EQ(At(1)["volume"].number, 0.97f);
    EXPECT_EQ(At(7)["volume"].number, 1.0);
    EXPECT_EQ(At(9)["volume"].number, 1.0);
    ExpectAt(EntityAt(At(9), "VolBar"), 200, -300);
    EXPECT_NEAR(EntityAt(At(12), "VolBar")["position"][0].number, 180.0, 1e-4);
    const auto records = ReadRecords();
    EXPECT_EQ(records.at("planeSkin"), "4");
    EXPECT_EQ(records.at("volume"), "0.950000");
    // Move entity moves at start or on each click; throw far away sends its entity out of sight.
    ExpectAt(EntityAt(At(1), "Early"), 700, 300);
    ExpectAt(EntityAt(At(12), "Cargo"), 0, -150);
    ExpectAt(EntityAt(End(), "Cargo"), 700, 300);
    ExpectAt(EntityAt(At(12), "Popup"), -600, -150);
    ExpectAt(EntityAt(End(), "Popup"), -1000000000.0f, -100000000.0f);
    // Quit ends the run after its click frame.
    EXPECT_EQ(End()["frame"].number, 17);
    EXPECT_NE(log.find("LOG: Quitting game loop"), std::string::npos);
}

TEST_F(MenuRun, ASavedSkinOutsideTheChoiceComesBackWithTheFirstClick) {
    WriteRecords("planeSkin\t4");
    RunOk("skins12", 4, ClickAt(3, -300, 300), {1});
    EXPECT_TRUE(SpriteOf(At(1), "SkinPreview").ends_with("/ball4.png"));
    EXPECT_TRUE(SpriteOf(End(), "SkinPreview").ends_with("/ball2.png"));
    EXPECT_EQ(ReadRecords()["planeSkin"], "2");
}

TEST_F(MenuRun, TheFullScreenButtonSwitchesAndShowsTheModeWithoutSavingIt) {
    // One switch only: in full screen the scripted cursor no longer maps to the same places.
    RunOk("menu", 4, ClickAt(3, 0, 150), {1});
    EXPECT_TRUE(SpriteOf(At(1), "Fullscreen").ends_with("/sprites/buttons/fullscreenoff.png"));
    EXPECT_TRUE(SpriteOf(End(), "Fullscreen").ends_with("/sprites/buttons/fullscreenon.png"));
    // No saved volume: the splash sets one half, which is not saved either.
    EXPECT_EQ(At(1)["volume"].number, 0.5);
    ExpectAt(EntityAt(At(1), "VolBar"), 0, -300);
    EXPECT_FALSE(std::filesystem::exists(TestSupport::RecordPath(home.Path())));
}

}  // namespace
