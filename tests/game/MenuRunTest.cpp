// The options menu through the headless runner: clicks on its buttons and what they leave in
// the scene and in the record file.
#include <gtest/gtest.h>

#include "tests/game/GameTestSupport.h"

using namespace GameTest;

namespace {

// Button centres in the menu fixture, screen space.
constexpr float kSkinPrev[] = {-300, 300};
constexpr float kSkinNext[] = {300, 300};
constexpr float kVolDown[] = {-400, -300};
constexpr float kVolUp[] = {400, -300};

std::string Click(unsigned frame, const float (&at)[2]) {
    return ClickAt(frame, at[0], at[1]);
}

std::string SpriteOf(const Json& dump, const std::string& entity) {
    return ComponentOf(EntityAt(dump, entity), "Image")["sprite"].text;
}

using MenuRun = SceneRun;

TEST_F(MenuRun, SkinsWrapFromTheLastToTheFirstAndBack) {
    home.WriteRecords("planeSkin\t4");
    RunOk("menu", 6, Click(3, kSkinNext) + Click(5, kSkinPrev), {1, 3});
    EXPECT_TRUE(SpriteOf(At(1), "SkinPreview").ends_with("/sprites/gameplay/entities/ball4.png"));
    EXPECT_TRUE(SpriteOf(At(3), "SkinPreview").ends_with("/ball1.png"));
    EXPECT_TRUE(SpriteOf(End(), "SkinPreview").ends_with("/ball4.png"));
    EXPECT_EQ(home.ReadRecords()["planeSkin"], "4");
}

TEST_F(MenuRun, ASavedSkinOutsideTheChoiceComesBackWithTheFirstClick) {
    home.WriteRecords("planeSkin\t4");
    RunOk("skins12", 4, Click(3, kSkinPrev), {1});
    EXPECT_TRUE(SpriteOf(At(1), "SkinPreview").ends_with("/ball4.png"));
    EXPECT_TRUE(SpriteOf(End(), "SkinPreview").ends_with("/ball2.png"));
    EXPECT_EQ(home.ReadRecords()["planeSkin"], "2");
}

TEST_F(MenuRun, TheVolumeStopsAtOneAndIsSaved) {
    home.WriteRecords("volume\t0.970000");
    RunOk("menu", 6, Click(3, kVolUp) + Click(5, kVolUp), {1, 3});
    EXPECT_FLOAT_EQ(At(1)["volume"].number, 0.97f);
    EXPECT_EQ(At(3)["volume"].number, 1.0);
    EXPECT_EQ(End()["volume"].number, 1.0);
    EXPECT_EQ(home.ReadRecords()["volume"], "1.000000");
    ExpectAt(EntityAt(End(), "VolBar"), 200, -300);
}

TEST_F(MenuRun, TheVolumeBarShowsTheVolumeBetweenItsEnds) {
    RunOk("menu", 4, Click(3, kVolDown), {1});
    // No saved volume: the splash sets one half.
    ExpectAt(EntityAt(At(1), "VolBar"), 0, -300);
    EXPECT_NEAR(EntityAt(End(), "VolBar")["position"][0].number, -20.0, 1e-4);
    EXPECT_EQ(home.ReadRecords()["volume"], "0.450000");
}

TEST_F(MenuRun, TheFullScreenButtonSwitchesAndShowsTheMode) {
    // One switch only: in full screen the scripted cursor no longer maps to the same places.
    RunOk("menu", 4, ClickAt(3, 0, 150), {1});
    EXPECT_TRUE(SpriteOf(At(1), "Fullscreen").ends_with("/sprites/buttons/fullscreenoff.png"));
    EXPECT_TRUE(SpriteOf(End(), "Fullscreen").ends_with("/sprites/buttons/fullscreenon.png"));
    // The choice is not remembered.
    EXPECT_FALSE(home.HasRecordFile());
}

TEST_F(MenuRun, QuitEndsTheRunAfterTheClickFrame) {
    const std::string log = RunOk("menu", 100, ClickAt(5, 600, -400));
    EXPECT_EQ(End()["frame"].number, 5);
    EXPECT_NE(log.find("LOG: Quitting game loop"), std::string::npos);
}

TEST_F(MenuRun, MoveEntityMovesAtStartOrOnEachClick) {
    RunOk("menu", 4, ClickAt(3, -600, 0), {1});
    ExpectAt(EntityAt(At(1), "Early"), 700, 300);
    ExpectAt(EntityAt(At(1), "Cargo"), 0, -150);
    ExpectAt(EntityAt(End(), "Cargo"), 700, 300);
}

TEST_F(MenuRun, ThrowFarAwaySendsItsEntityOutOfSight) {
    RunOk("menu", 4, ClickAt(3, -600, -150), {1});
    ExpectAt(EntityAt(At(1), "Popup"), -600, -150);
    ExpectAt(EntityAt(End(), "Popup"), -1000000000.0f, -100000000.0f);
}

}  // namespace
