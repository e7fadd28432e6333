// The level flow of the fixture scenes: the options window, timed entities, splash screens,
// scene links, the level selection, and how a level ends and what it remembers.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/audio/AudioClip.h"
#include "engine/audio/AudioSource.h"
#include "engine/core/FrontEnd.h"
#include "engine/graphics/Image.h"
#include "engine/persistence/Records.h"
#include "engine/scene/SceneManager.h"
#include "game/GameManager.h"
#include "support/FatalCatcher.h"
#include "tests/game/FlightTestSupport.h"

using namespace FlightTest;
using namespace VelaEngine;

namespace {

using LevelFlow = FlightScene;

Game::GameManager& Manager() {
    return FlightScene::The<Game::GameManager>("GameManager");
}

Graphics::Color TintOf(const std::string& entity) {
    return FlightScene::The<Graphics::Image>(entity).GetTint();
}

std::string ClipPlayed() {
    return FlightScene::The<Audio::AudioSource>("GameManager").GetClip()->GetPath();
}

// The ribbon waits far aside until a new best brings it to the window's centre.
bool NewBestTimeShown() {
    return Entity::Find("newshortesttime")->GetTransform().GetPosition() == Vector2(0.0f, 0.0f);
}

// The plane lands on the win flag some 76 frames in, 86 with the options open for 10 frames.
TEST_F(LevelFlow, EscapeTogglesTheOptionsUntilTheLevelEndsAndTimedEntitiesWaitMeanwhile) {
    StartFixture("manager");
    std::vector<float> heights(1);
    Game::GameManager* manager = nullptr;
    testing::internal::CaptureStdout();
    Run(
        111, [](unsigned frame) { SetKey(kEscape, frame == 10 || frame == 20 || frame == 110); },
        [&](unsigned frame) {
            SCOPED_TRACE(frame);
            manager = &Manager();
            heights.push_back(PositionOf("Airplane").y);
            if (frame == 10) {
                EXPECT_TRUE(manager->optionsOpen);
                EXPECT_TRUE(Time::Get().IsPaused());
                EXPECT_EQ(PositionOf("OptionsWindow"), Vector2(0.0f, 0.0f));
            }
            if (frame == 20) {
                EXPECT_FALSE(manager->optionsOpen);
                EXPECT_FALSE(Time::Get().IsPaused());
                EXPECT_EQ(PositionOf("OptionsWindow"), Vector2(100000000.0f, 9999999.0f));
                manager->starsFound = 1;
            }
            // DestroyAfter counts 1.5 s of unpaused time: 9 frames before the pause, 81 after.
            if (frame == 99 || frame == 102) {
                EXPECT_EQ(Entity::Find("Spark") != nullptr, frame == 99);
            }
        });
    // The rock touching the flag first is only named; the plane's win lights the star found, and
    // after it the flag takes no more notice.
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("LOG: Rock\n"), std::string::npos) << log;
    EXPECT_NE(log.find("LOG: Airplane\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("LOG: Airplane\n"), log.rfind("LOG: Airplane\n")) << log;
    EXPECT_EQ(TintOf("Star1"), Graphics::Color(1, 1, 1, 1));
    // The manager updates before the plane, so the plane hangs from the frame of the key
    // until the frame it is pressed again.
    EXPECT_EQ(heights[10], heights[9]);
    EXPECT_EQ(heights[19], heights[9]);
    EXPECT_LT(heights[20], heights[9]);
    // Once the level has ended, escape does nothing.
    EXPECT_TRUE(manager->levelEnded);
    EXPECT_FALSE(manager->optionsOpen);
    EXPECT_FALSE(Time::Get().IsPaused());
}

// Loads `scene` afresh between frames.
void Reload(const std::string& scene) {
    SceneManagement::SceneManager::Get().RequestChange(scene);
    SceneManagement::SceneManager::Get().ProcessChange();
}

// Each scene lacks something the game needs: loading or starting it ends the game.
TEST_F(LevelFlow, ScenesWithoutWhatTheGameNeedsAreContentErrors) {
    StartFixture("after");
    Run(1, nullptr, nullptr);
    const struct {
        const char* scene;
        const char* message;
    } rows[] = {
        {"bad_manager",
         "Assertion in VEDebug.cpp line 35: Game manager doesn't know the current level"},
        {"bad_pendulum", "Assertion in VEDebug.cpp line 35: Pendulum rotSpeedDown not found"},
        {"bad_persistent",
         "Assertion failed in VEDebug.cpp line 22: Only root Entities can be persistent"},
        {"bad_plane",
         "Assertion in VEDebug.cpp line 35: PlaneRotator needs an entity named Airplane"},
    };
    for (const auto& row : rows) {
        const std::string message = TestSupport::FatalMessageOf([&] {
            Reload(std::string("scenes/") + row.scene);
            SceneManagement::SceneManager::Get().Update();
        });
        EXPECT_EQ(message.rfind(row.message, 0), 0u) << message;
    }
}

// The splash: frame 24 ends 0.4 s in, so its click is ignored, and the splash moves on when its
// 3 s are up; then each key skips a fresh splash in its 40th frame, past half a second. The
// links: the left one loads at the end of its click's frame, the right one a frame later.
TEST_F(LevelFlow, SplashesAndSceneLinksMoveOnAtTheirTime) {
    StartFixture("splash");
    // Left and right buttons, space, enter, "a" and escape.
    const unsigned char keys[] = {0x01, 0x02, 0x20, 0x0D, 0x41, 0x1B};
    constexpr unsigned kLinks = 182 + 40 * std::size(keys);  // the first frame of the links
    std::vector<std::string> scenes(1);
    Run(
        kLinks + 11,
        [&](unsigned frame) {
            const unsigned key = (frame - 182) / 40;
            if (frame >= 182 && frame < kLinks && (frame - 182) % 40 == 0) {
                Reload("scenes/splash");
            }

            if (frame == kLinks) {
                testing::internal::CaptureStdout();
            }
            if (frame == kLinks || frame == kLinks + 6) {
                Reload("scenes/links");
            }
            PlayClicks(frame, {{24, 0, 0}, {kLinks + 4, -300, 0}, {kLinks + 10, 300, 0}});
            for (unsigned k = 0; k < std::size(keys) && frame >= 182 && frame < kLinks; ++k) {
                SetKey(keys[k], k == key && (frame - 182) % 40 == 39);
            }
        },
        [&](unsigned) {
            scenes.push_back(SceneManagement::SceneManager::Get().GetCurrentSceneName());
        });
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(scenes[30], "scenes/splash");
    EXPECT_EQ(scenes[180], "scenes/splash");
    EXPECT_EQ(scenes[181], "scenes/after");
    for (unsigned k = 0; k < std::size(keys); ++k) {
        SCOPED_TRACE(static_cast<int>(keys[k]));
        EXPECT_EQ(scenes[181 + 40 * k + 39], "scenes/splash");
        EXPECT_EQ(scenes[181 + 40 * k + 40], "scenes/after");
    }
    EXPECT_EQ(scenes[kLinks + 3], "scenes/links");
    EXPECT_EQ(scenes[kLinks + 4], "scenes/after");
    EXPECT_EQ(scenes[kLinks + 10], "scenes/links");
    EXPECT_EQ(scenes[kLinks + 11], "scenes/after");
    // One request per link click; the keeper (DontDestroyOnLoad) comes along.
    const std::string request = "Requested to change to Scene: scenes/after";
    const std::size_t first = log.find(request);
    ASSERT_NE(first, std::string::npos) << log;
    EXPECT_EQ(log.find(request, first + 1), log.rfind(request)) << log;
    EXPECT_TRUE(Named("Keeper").IsPersistent());
}

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

// Half-second frames: after frame k the level has run k / 2 s. The options are open from
// frame 9 to frame 18, 5 s that the level's time leaves out; the level ends after frame 50,
// at 20 s of flight.
TEST_F(LevelFlow, AWinUnlocksTheNextLevelAndKeepsTheBestTimeWhileALossStoresNothing) {
    StartFixture("level", 2);
    bool ended = false;
    Run(
        51, [](unsigned frame) { SetKey(kEscape, frame == 9 || frame == 19); },
        [&](unsigned frame) {
            if (frame == 1) {
                Manager().starsFound = 2;
            }
            if (frame == 9) {
                // Opening shows the window as it is.
                EXPECT_TRUE(Time::Get().IsPaused());
                EXPECT_NEAR(TintOf("Star1").a, 0.55f, 1e-6);
            }
            if (frame == 19) {
                // Closing lights the stars found.
                EXPECT_EQ(TintOf("Star1"), Graphics::Color(1, 1, 1, 1));
                EXPECT_EQ(TintOf("Star2"), Graphics::Color(1, 1, 1, 1));
                EXPECT_NEAR(TintOf("Star3").a, 0.55f, 1e-6);
            }
            if (frame != 50) {
                return;
            }
            // A fresh save: level 3 is not the highest open level (1); the time leaves out the
            // pause.
            Manager().EndLevel(true);
            ended = Manager().levelEnded;
            EXPECT_TRUE(ClipPlayed().ends_with("/sounds/sfx/win.mp3")) << ClipPlayed();
            auto records = TestSupport::ReadRecords(home.Path());
            EXPECT_EQ(records.count("highestLevelUnlocked"), 0u);
            EXPECT_EQ(records["shortestTime"], "20.000000");
            EXPECT_TRUE(NewBestTimeShown());
            EXPECT_EQ(records["foundstar3_1"], "t");
            EXPECT_EQ(records["foundstar3_2"], "t");
            EXPECT_EQ(records.count("foundstar3_3"), 0u);

            EXPECT_EQ(records["bestTime3"], "20.000000");
            EXPECT_FLOAT_EQ(Manager().FlightTime(), 20.0f);

            // Each row ends the level once more with no records in memory but those it stores.
            // A stored level below 1 counts as level 1, which is always open; a stored time
            // that is not a positive number counts as no best time yet. The ribbon tells of the
            // level's own best only, which is never worsened.
            const struct {
                int storedLevel;  // -1: none
                int level;
                const char* unlocked;
                float storedTime;
                const char* bestTime;
                const char* storedLevelBest;  // null: none
                const char* levelBest;
                bool shown;
            } ends[] = {{-1, 1, "2", 30.5f, "20.000000", nullptr, "20.000000", true},
                        {3, 3, "4", 10.0f, "10.000000", "10.000000", "10.000000", false},
                        {5, 3, "5", 0.0f, "20.000000", "20.500000", "20.000000", true},
                        {2, 3, "2", 20.5f, "20.000000", "19.5", "19.5", false},
                        {0, 1, "2", 25.0f, "20.000000", "20.000000", "20.000000", false},
                        {-4, 1, "2", std::nanf(""), "20.000000", "nan", "20.000000", true},
                        {4, 3, "4", -7.5f, "20.000000", "-7.500000", "20.000000", true},
                        {4, 4, "5", INFINITY, "20.000000", "0", "20.000000", true},
                        {4, 4, "5", 5.0f, "5.000000", "20 s", "20.000000", true}};
            for (const auto& row : ends) {
                SCOPED_TRACE("stored level " + std::to_string(row.storedLevel) + ", best " +
                             (row.storedLevelBest != nullptr ? row.storedLevelBest : "none"));
                Records::Get().Clear();
                if (row.storedLevel != -1) {
                    Records::Get().SetInt("highestLevelUnlocked", row.storedLevel);
                }
                Records::Get().SetFloat("shortestTime", row.storedTime);
                const std::string bestKey = "bestTime" + std::to_string(row.level);
                if (row.storedLevelBest != nullptr) {
                    // Through the file, as a damaged or hand-edited value would come.
                    Records::Get().Save();
                    const std::string saved =
                        TestSupport::ReadText(TestSupport::RecordPath(home.Path()));
                    WriteRecords(saved + "\n" + bestKey + "\t" + row.storedLevelBest);
                    Records::Get().Clear();
                    Records::Get().Init("records", FrontEnd::Get().GetTitle());
                }
                Entity::Find("newshortesttime")->GetTransform().SetPosition(Vector2(1e8f, 0.0f));
                Manager().currentLevel = row.level;
                Manager().EndLevel(true);
                auto after = TestSupport::ReadRecords(home.Path());
                EXPECT_EQ(after["highestLevelUnlocked"], row.unlocked);
                EXPECT_EQ(after["shortestTime"], row.bestTime);
                EXPECT_EQ(after[bestKey], row.levelBest);
                EXPECT_EQ(NewBestTimeShown(), row.shown);
                EXPECT_EQ(Manager().newBestTime, row.shown);
            }

            // Saving would rewrite these line ends, so the file shows whether anything was saved.
            WriteRecords("highestLevelUnlocked\t3\r\n\r\n");
            Manager().starsFound = 3;
            Manager().EndLevel(false);
            EXPECT_TRUE(Manager().levelEnded);
            EXPECT_TRUE(ClipPlayed().ends_with("/sounds/sfx/lose.mp3")) << ClipPlayed();
            EXPECT_EQ(TestSupport::ReadText(TestSupport::RecordPath(home.Path())),
                      "highestLevelUnlocked\t3\r\n\r\n");
        });
    EXPECT_TRUE(ended);
}

}  // namespace
