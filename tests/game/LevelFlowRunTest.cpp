// The level flow through the headless runner: the options window, timed entities, splash
// screens, scene links and the level selection.
#include <gtest/gtest.h>

#include "tests/game/GameTestSupport.h"

using namespace GameTest;

namespace {

const float kAway = 100000000.0f;

bool OptionsOpen(const Json& dump) {
    return ComponentOf(EntityAt(dump, "GameManager"), "GameManager")["optionsOpen"].boolean;
}

using LevelRun = SceneRun;

// The plane lands on the win flag some 76 frames in, 86 with the options open for 10 frames.
TEST_F(LevelRun, EscapeTogglesTheOptionsUntilTheLevelEndsAndTimedEntitiesWaitMeanwhile) {
    RunOk("manager", 111, Tap(10, "escape") + Tap(20, "escape") + Tap(110, "escape"),
          {9, 10, 19, 20, 99, 102});
    const Json open = At(10);
    EXPECT_TRUE(OptionsOpen(open));
    EXPECT_TRUE(open["paused"].boolean);
    ExpectAt(EntityAt(open, "OptionsWindow"), 0.0f, 0.0f);
    // The manager updates before the plane, so the plane hangs from the frame of the key
    // until the frame it is pressed again.
    const double heightBefore = EntityAt(At(9), "Airplane")["position"][1].number;
    EXPECT_EQ(EntityAt(open, "Airplane")["position"][1].number, heightBefore);
    EXPECT_EQ(EntityAt(At(19), "Airplane")["position"][1].number, heightBefore);
    const Json closed = At(20);
    EXPECT_FALSE(OptionsOpen(closed));
    EXPECT_FALSE(closed["paused"].boolean);
    EXPECT_LT(EntityAt(closed, "Airplane")["position"][1].number, heightBefore);
    ExpectAt(EntityAt(closed, "OptionsWindow"), kAway, 9999999.0f);

    // DestroyAfter counts 1.5 s of unpaused time: 9 frames before the pause, 81 after it.
    EXPECT_TRUE(HasEntity(At(99), "Spark"));
    EXPECT_FALSE(HasEntity(At(102), "Spark"));

    // Once the level has ended, escape does nothing.
    const Json end = End();
    EXPECT_TRUE(ComponentOf(EntityAt(end, "GameManager"), "GameManager")["levelEnded"].boolean);
    EXPECT_FALSE(OptionsOpen(end));
    EXPECT_FALSE(end["paused"].boolean);
    ExpectAt(EntityAt(end, "OptionsWindow"), kAway, 9999999.0f);
}

TEST_F(LevelRun, AGameManagerWithoutItsLevelEndsTheRun) {
    RunResult result = Run("bad_manager", 1);
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.output.find("Game manager doesn't know the current level"), std::string::npos)
        << result.output;
}

// Splash screens -------------------------------------------------------------------------

using SplashRun = SceneRun;

TEST_F(SplashRun, AnEarlyClickIsIgnoredAndTheSplashMovesOnWhenItsTimeIsUp) {
    // Frame 24 ends 0.4 s into the splash.
    RunOk("splash", 181, ClickAt(24, 0, 0), {30, 179});
    EXPECT_EQ(At(30)["scene"].text, "scenes/splash");
    EXPECT_EQ(At(179)["scene"].text, "scenes/splash");
    EXPECT_EQ(End()["scene"].text, "scenes/after");
}

class SplashKeyRun : public SceneRun, public testing::WithParamInterface<const char*> {};

TEST_P(SplashKeyRun, EveryListedKeySkipsAfterHalfASecond) {
    RunOk("splash", 40, Tap(40, GetParam()), {39});
    EXPECT_EQ(At(39)["scene"].text, "scenes/splash");
    EXPECT_EQ(End()["scene"].text, "scenes/after");
}

INSTANTIATE_TEST_SUITE_P(Keys, SplashKeyRun,
                         testing::Values("mouse_left", "mouse_right", "space", "enter", "a",
                                         "escape"));

// Scene links ------------------------------------------------------------------------------

using LinkRun = SceneRun;

TEST_F(LinkRun, ALinkLoadsItsSceneAtTheEndOfTheClickFrameOrOneFrameLater) {
    const struct {
        const char* link;
        float x;
        unsigned loadedIn;
    } links[] = {{"Now", -300, 5}, {"Later", 300, 6}};
    for (const auto& link : links) {
        SCOPED_TRACE(link.link);
        const std::string log = RunOk("links", 7, ClickAt(5, link.x, 0), {4, 5, 6});
        EXPECT_EQ(At(link.loadedIn - 1)["scene"].text, "scenes/links");
        EXPECT_EQ(At(link.loadedIn)["scene"].text, "scenes/after");
        EXPECT_EQ(CountOf(log, "Requested to change to Scene: scenes/after"), 1u);
        // The keeper (DontDestroyOnLoad) comes along.
        EXPECT_TRUE(EntityAt(End(), "Keeper")["persistent"].boolean);
    }
}

TEST_F(LinkRun, OnlyRootsCanBeKept) {
    RunResult result = Run("bad_persistent", 1);
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.output.find("Only root Entities can be persistent"), std::string::npos)
        << result.output;
}

// Level selection -------------------------------------------------------------------------

// A fresh save opens the first level, as the menu replays show; a stored zero opens nothing.
TEST_F(LevelRun, OpenLevelsTakeTheirPlacesAndTheRestWaitAside) {
    for (const int stored : {3, 0}) {
        SCOPED_TRACE(stored);
        WriteRecords("highestLevelUnlocked\t" + std::to_string(stored));
        const std::string log = RunOk("levels", 1);
        EXPECT_NE(log.find("LOG: LevelSelect's Level8Place field not found"), std::string::npos);
        const Json end = End();
        const float places[][2] = {{-450, 100}, {-150, 100}, {150, 100}};
        for (int level = 1; level <= 4; ++level) {
            const std::string n = std::to_string(level);
            const bool open = level <= stored;
            ExpectAt(EntityAt(end, "Buttons/Level" + n), open ? places[level - 1][0] : 5000,
                     open ? places[level - 1][1] : 0);
            EXPECT_EQ(HasEntity(end, "Places/Place" + n), !open) << n;
        }
    }
}

}  // namespace
