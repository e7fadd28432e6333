// The level flow through the headless runner: the options window, the end of a level at the
// win flag and its records, splash screens, scene links and the level selection.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/game/GameTestSupport.h"

using namespace GameTest;

namespace {

const float kAway = 100000000.0f;

using LevelRun = SceneRun;

TEST_F(LevelRun, EscapeOpensTheOptionsWindowAndPausesUntilPressedAgain) {
    RunOk("manager", 20, Tap(10, "escape") + Tap(20, "escape"), {9, 10, 19, 20});
    const Json open = At(10);
    const Json& manager = ComponentOf(EntityAt(open, "GameManager"), "GameManager");
    EXPECT_TRUE(manager["optionsOpen"].boolean);
    EXPECT_TRUE(open["paused"].boolean);
    ExpectAt(EntityAt(open, "OptionsWindow"), 0.0f, 0.0f);
    // The manager updates before the plane, so the plane hangs from the frame of the key
    // until the frame it is pressed again.
    const double heightBefore = EntityAt(At(9), "Airplane")["position"][1].number;
    EXPECT_EQ(EntityAt(open, "Airplane")["position"][1].number, heightBefore);
    EXPECT_EQ(EntityAt(At(19), "Airplane")["position"][1].number, heightBefore);

    const Json closed = At(20);
    EXPECT_FALSE(
        ComponentOf(EntityAt(closed, "GameManager"), "GameManager")["optionsOpen"].boolean);
    EXPECT_FALSE(closed["paused"].boolean);
    EXPECT_LT(EntityAt(closed, "Airplane")["position"][1].number, heightBefore);
    ExpectAt(EntityAt(closed, "OptionsWindow"), kAway, 9999999.0f);
}

TEST_F(LevelRun, EscapeAfterTheLevelEndedDoesNothing) {
    RunOk("manager", 100, Tap(100, "escape"));
    const Json end = End();
    const Json& manager = ComponentOf(EntityAt(end, "GameManager"), "GameManager");
    EXPECT_TRUE(manager["levelEnded"].boolean);
    EXPECT_FALSE(manager["optionsOpen"].boolean);
    EXPECT_FALSE(end["paused"].boolean);
    ExpectAt(EntityAt(end, "OptionsWindow"), kAway, 9999999.0f);
}

TEST_F(LevelRun, DestroyAfterRemovesItsEntityAfterOneAndAHalfSeconds) {
    RunOk("manager", 92, "", {89});
    EXPECT_TRUE(HasEntity(At(89), "Spark"));
    EXPECT_FALSE(HasEntity(End(), "Spark"));
}

TEST_F(LevelRun, DestroyAfterWaitsWhileTheGameIsPaused) {
    // 29 frames count before the pause and the rest after frame 201.
    RunOk("manager", 270, Tap(30, "escape") + Tap(201, "escape"), {200, 250});
    EXPECT_TRUE(At(200)["paused"].boolean);
    EXPECT_TRUE(HasEntity(At(200), "Spark"));
    EXPECT_TRUE(HasEntity(At(250), "Spark"));
    EXPECT_FALSE(HasEntity(End(), "Spark"));
}

TEST_F(LevelRun, ThePlaneOnTheWinFlagWinsAndItsTimeIsSaved) {
    const std::string log = RunOk("win", 120, "", {40});
    // The rock touching the flag first is only named; the level goes on.
    EXPECT_NE(log.find("LOG: Rock\n"), std::string::npos) << log;
    EXPECT_FALSE(ComponentOf(EntityAt(At(40), "GameManager"), "GameManager")["levelEnded"].boolean);
    // Once the plane has won, the flag takes no more notice of contacts.
    EXPECT_EQ(CountOf(log, "LOG: Airplane\n"), 1u);

    const Json end = End();
    EXPECT_TRUE(ComponentOf(EntityAt(end, "GameManager"), "GameManager")["levelEnded"].boolean);
    ExpectAt(EntityAt(end, "WinWindow"), 0.0f, 0.0f);
    ExpectAt(EntityAt(end, "newshortesttime"), 0.0f, 0.0f);
    EXPECT_EQ(ComponentOf(EntityAt(end, "GameManager"), "AudioSource")["clip"].text,
              "sounds/sfx/win");

    // The plane falls 160 units under gravity 200: about 1.26 s after the level started.
    const float time = std::strtof(home.ReadRecords()["shortestTime"].c_str(), nullptr);
    EXPECT_GT(time, 1.2f);
    EXPECT_LT(time, 1.35f);
}

TEST_F(LevelRun, AGameManagerWithoutItsLevelEndsTheRun) {
    RunResult result = Run("bad_manager", 1);
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.output.find("Game manager doesn't know the current level"), std::string::npos)
        << result.output;
}

// Splash screens -------------------------------------------------------------------------

using SplashRun = SceneRun;

TEST_F(SplashRun, MovesOnWhenItsTimeIsUp) {
    RunOk("splash", 181, "", {179});
    EXPECT_EQ(At(179)["scene"].text, "scenes/splash");
    EXPECT_EQ(End()["scene"].text, "scenes/after");
}

TEST_F(SplashRun, AClickSkipsOnlyAfterHalfASecond) {
    // Frame 24 ends 0.4 s into the splash; frame 31 ends past 0.5 s.
    RunOk("splash", 31, ClickAt(24, 0, 0) + ClickAt(31, 0, 0), {30});
    EXPECT_EQ(At(30)["scene"].text, "scenes/splash");
    EXPECT_EQ(End()["scene"].text, "scenes/after");
}

class SplashKeyRun : public SceneRun, public testing::WithParamInterface<const char*> {};

TEST_P(SplashKeyRun, EveryListedKeySkips) {
    RunOk("splash", 40, Tap(40, GetParam()), {39});
    EXPECT_EQ(At(39)["scene"].text, "scenes/splash");
    EXPECT_EQ(End()["scene"].text, "scenes/after");
}

INSTANTIATE_TEST_SUITE_P(Keys, SplashKeyRun,
                         testing::Values("mouse_left", "mouse_right", "space", "enter", "a",
                                         "escape"));

// Scene links ------------------------------------------------------------------------------

using LinkRun = SceneRun;

TEST_F(LinkRun, ALinkLoadsItsSceneAtTheEndOfTheClickFrame) {
    const std::string log = RunOk("links", 5, ClickAt(5, -300, 0), {1, 4});
    EXPECT_EQ(ComponentOf(EntityAt(At(1), "Now"), "LinkPlay")["sceneName"].text, "scenes/after");
    EXPECT_EQ(At(4)["scene"].text, "scenes/links");
    EXPECT_EQ(End()["scene"].text, "scenes/after");
    EXPECT_EQ(CountOf(log, "Requested to change to Scene: scenes/after"), 1u);
    // The keeper (DontDestroyOnLoad) comes along.
    EXPECT_TRUE(EntityAt(End(), "Keeper")["persistent"].boolean);
}

TEST_F(LinkRun, WaitingForOneFrameLoadsTheSceneOneFrameLater) {
    const std::string log = RunOk("links", 7, ClickAt(5, 300, 0), {5, 6});
    EXPECT_EQ(At(5)["scene"].text, "scenes/links");
    EXPECT_EQ(At(6)["scene"].text, "scenes/after");
    EXPECT_EQ(CountOf(log, "Requested to change to Scene: scenes/after"), 1u);
}

TEST_F(LinkRun, OnlyRootsCanBeKept) {
    RunResult result = Run("bad_persistent", 1);
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.output.find("Only root Entities can be persistent"), std::string::npos)
        << result.output;
}

// Level selection -------------------------------------------------------------------------

// What the record file holds, or nothing, and how many levels that opens.
struct Unlocked {
    const char* stored;
    int open;
};

void PrintTo(const Unlocked& c, std::ostream* out) {
    *out << "stored " << (c.stored != nullptr ? c.stored : "none") << ", open " << c.open;
}

class LevelSelectRun : public SceneRun, public testing::WithParamInterface<Unlocked> {};

TEST_P(LevelSelectRun, OpenLevelsTakeTheirPlacesAndTheRestWaitAside) {
    if (GetParam().stored != nullptr) {
        home.WriteRecords(std::string("highestLevelUnlocked\t") + GetParam().stored);
    }
    const std::string log = RunOk("levels", 1);
    EXPECT_NE(log.find("LOG: LevelSelect's Level8Place field not found"), std::string::npos);
    const Json end = End();
    const float places[][2] = {{-450, 100}, {-150, 100}, {150, 100}};
    for (int level = 1; level <= 4; ++level) {
        const std::string n = std::to_string(level);
        const bool open = level <= GetParam().open;
        ExpectAt(EntityAt(end, "Buttons/Level" + n), open ? places[level - 1][0] : 5000,
                 open ? places[level - 1][1] : 0);
        EXPECT_EQ(HasEntity(end, "Places/Place" + n), !open) << n;
    }
}

// A fresh save has the first level open; a stored zero opens nothing.
INSTANTIATE_TEST_SUITE_P(Records, LevelSelectRun,
                         testing::Values(Unlocked{"3", 3}, Unlocked{nullptr, 1}, Unlocked{"0", 0}),
                         [](const testing::TestParamInfo<Unlocked>& info) {
                             const char* stored = info.param.stored;
                             return stored != nullptr ? std::string("Stored") + stored
                                                      : std::string("NoneStored");
                         });

}  // namespace
