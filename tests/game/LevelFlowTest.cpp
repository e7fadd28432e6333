// The level flow of the fixture scenes: the options window, timed entities, splash screens,
// scene links and the level selection.
#include <gtest/gtest.h>

#include "engine/scene/SceneManager.h"
#include "game/GameManager.h"
#include "support/FatalCatcher.h"
#include "tests/game/FlightTestSupport.h"

using namespace FlightTest;
using namespace VelaEngine;

namespace {

std::string SceneNow() {
    return SceneManagement::SceneManager::Get().GetCurrentSceneName();
}

// The fatal message of starting `scene` and running its first frame.
std::string FailureOf(FlightScene& test, const std::string& scene) {
    return TestSupport::FatalMessageOf([&] {
        test.StartFixture(scene);
        test.Run(1, nullptr, nullptr);
    });
}

const Vector2 kAway(100000000.0f, 9999999.0f);

using LevelFlow = FlightScene;

// The plane lands on the win flag some 76 frames in, 86 with the options open for 10 frames.
TEST_F(LevelFlow, EscapeTogglesTheOptionsUntilTheLevelEndsAndTimedEntitiesWaitMeanwhile) {
    StartFixture("manager");
    std::vector<float> heights(1);
    Game::GameManager* manager = nullptr;
    Run(
        111, [](unsigned frame) { SetKey(kEscape, frame == 10 || frame == 20 || frame == 110); },
        [&](unsigned frame) {
            SCOPED_TRACE(frame);
            manager = &The<Game::GameManager>("GameManager");
            heights.push_back(PositionOf("Airplane").y);
            if (frame == 10) {
                EXPECT_TRUE(manager->optionsOpen);
                EXPECT_TRUE(Time::Get().IsPaused());
                EXPECT_EQ(PositionOf("OptionsWindow"), Vector2(0.0f, 0.0f));
            }
            if (frame == 20) {
                EXPECT_FALSE(manager->optionsOpen);
                EXPECT_FALSE(Time::Get().IsPaused());
                EXPECT_EQ(PositionOf("OptionsWindow"), kAway);
            }
            // DestroyAfter counts 1.5 s of unpaused time: 9 frames before the pause, 81 after.
            if (frame == 99 || frame == 102) {
                EXPECT_EQ(Entity::Find("Spark") != nullptr, frame == 99);
            }
        });
    // The manager updates before the plane, so the plane hangs from the frame of the key
    // until the frame it is pressed again.
    EXPECT_EQ(heights[10], heights[9]);
    EXPECT_EQ(heights[19], heights[9]);
    EXPECT_LT(heights[20], heights[9]);
    // Once the level has ended, escape does nothing.
    EXPECT_TRUE(manager->levelEnded);
    EXPECT_FALSE(manager->optionsOpen);
    EXPECT_FALSE(Time::Get().IsPaused());
    EXPECT_EQ(PositionOf("OptionsWindow"), kAway);
}

TEST_F(LevelFlow, AGameManagerWithoutItsLevelIsAContentError) {
    const std::string message = FailureOf(*this, "bad_manager");
    EXPECT_NE(message.find("Game manager doesn't know the current level"), std::string::npos)
        << message;
}

TEST_F(LevelFlow, OnlyRootsCanBeKept) {
    const std::string message = FailureOf(*this, "bad_persistent");
    EXPECT_NE(message.find("Only root Entities can be persistent"), std::string::npos) << message;
}

TEST_F(LevelFlow, AnEarlyClickIsIgnoredAndTheSplashMovesOnWhenItsTimeIsUp) {
    StartFixture("splash");
    std::vector<std::string> scenes(1);
    // Frame 24 ends 0.4 s into the splash.
    Run(
        181,
        [](unsigned frame) {
            PlayClicks(frame, {{24, 0, 0}});
        },
        [&](unsigned) { scenes.push_back(SceneNow()); });
    EXPECT_EQ(scenes[30], "scenes/splash");
    EXPECT_EQ(scenes[180], "scenes/splash");
    EXPECT_EQ(scenes[181], "scenes/after");
}

class SplashKey : public FlightScene, public testing::WithParamInterface<unsigned char> {};

TEST_P(SplashKey, SkipsTheSplashAfterHalfASecond) {
    StartFixture("splash");
    std::string before;
    Run(
        40, [this](unsigned frame) { SetKey(GetParam(), frame == 40); },
        [&](unsigned frame) { before = frame == 39 ? SceneNow() : before; });
    EXPECT_EQ(before, "scenes/splash");
    EXPECT_EQ(SceneNow(), "scenes/after");
}

// Left and right buttons, space, enter, "a" and escape.
INSTANTIATE_TEST_SUITE_P(Keys, SplashKey, testing::Values(0x01, 0x02, 0x20, 0x0D, 0x41, 0x1B));

// A link at once, or one that waits for one frame.
class SceneLink : public FlightScene, public testing::WithParamInterface<Click> {};

TEST_P(SceneLink, LoadsItsSceneAtTheEndOfTheClickFrameOrTheNext) {
    StartFixture("links");
    std::vector<std::string> scenes(1);
    testing::internal::CaptureStdout();
    Run(
        7, [this](unsigned frame) { PlayClicks(frame, {GetParam()}); },
        [&](unsigned) { scenes.push_back(SceneNow()); });
    const std::string log = testing::internal::GetCapturedStdout();
    const unsigned loaded = GetParam().x < 0 ? 5 : 6;
    EXPECT_EQ(scenes[loaded - 1], "scenes/links");
    EXPECT_EQ(scenes[loaded], "scenes/after");
    const std::string request = "Requested to change to Scene: scenes/after";
    EXPECT_NE(log.find(request), std::string::npos) << log;
    EXPECT_EQ(log.find(request), log.rfind(request)) << log;
    // The keeper (DontDestroyOnLoad) comes along.
    EXPECT_TRUE(Named("Keeper").IsPersistent());
}

INSTANTIATE_TEST_SUITE_P(NowOrLater, SceneLink,
                         testing::Values(Click{5, -300, 0}, Click{5, 300, 0}));

// A fresh save opens the first level, as the menu replays show.
TEST_F(LevelFlow, OpenLevelsTakeTheirPlacesAndTheRestWaitAside) {
    WriteRecords("highestLevelUnlocked\t3");
    testing::internal::CaptureStdout();
    StartFixture("levels");
    Run(1, nullptr, nullptr);
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("LOG: LevelSelect's Level8Place field not found"), std::string::npos);
    const Vector2 places[] = {{-450, 100}, {-150, 100}, {150, 100}};
    for (int level = 1; level <= 4; ++level) {
        const bool open = level <= 3;
        const std::string n = std::to_string(level);
        EXPECT_EQ(PositionOf("Level" + n), open ? places[level - 1] : Vector2(5000, 0)) << n;
        EXPECT_EQ(Entity::Find("Place" + n) == nullptr, open) << n;
    }
}

}  // namespace
