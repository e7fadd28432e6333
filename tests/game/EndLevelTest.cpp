// How a level ends and what it remembers, with the engine in this process: the tests end
// the level themselves at a chosen time and read the record file it saved.
#include <gtest/gtest.h>

#include "engine/audio/AudioClip.h"
#include "engine/audio/AudioSource.h"
#include "engine/graphics/Image.h"
#include "engine/persistence/Records.h"
#include "game/GameManager.h"
#include "tests/game/FlightTestSupport.h"

using namespace FlightTest;
using namespace VelaEngine;

namespace {

Game::GameManager& Manager() {
    return FlightScene::The<Game::GameManager>("GameManager");
}

Graphics::Color TintOf(const std::string& entity) {
    return FlightScene::The<Graphics::Image>(entity).GetTint();
}

const Graphics::Color kLit(1, 1, 1, 1);

std::string ClipPlayed() {
    return FlightScene::The<Audio::AudioSource>("GameManager").GetClip()->GetPath();
}

bool NewBestTimeShown() {
    return Entity::Find("newshortesttime")->GetTransform().GetPosition() == Vector2(0.0f, 0.0f);
}

using EndLevel = FlightScene;

// Half-second frames: after frame k the level has run k / 2 s. The options are open from
// frame 9 to frame 18; the level ends after frame 40, at 20 s.
TEST_F(EndLevel, AWinUnlocksTheNextLevelAndKeepsTheBestTimeWhileALossStoresNothing) {
    StartFixture("level", 2);
    bool ended = false;
    Run(
        41, [](unsigned frame) { SetKey(kEscape, frame == 9 || frame == 19); },
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
                EXPECT_EQ(TintOf("Star1"), kLit);
                EXPECT_EQ(TintOf("Star2"), kLit);
                EXPECT_NEAR(TintOf("Star3").a, 0.55f, 1e-6);
            }
            if (frame != 40) {
                return;
            }
            // A fresh save: level 3 is not the highest open level (1); the time counts the
            // options too.
            Manager().EndLevel(true);
            ended = Manager().levelEnded;
            EXPECT_TRUE(ClipPlayed().ends_with("/sounds/sfx/win.mp3")) << ClipPlayed();
            auto records = ReadRecords();
            EXPECT_EQ(records.count("highestLevelUnlocked"), 0u);
            EXPECT_EQ(records["shortestTime"], "20.000000");
            EXPECT_TRUE(NewBestTimeShown());
            EXPECT_EQ(records["foundstar3_1"], "t");
            EXPECT_EQ(records["foundstar3_2"], "t");
            EXPECT_EQ(records.count("foundstar3_3"), 0u);

            // Each row ends the level once more with no records in memory but those it stores.
            const struct {
                int storedLevel;  // -1: none
                int level;
                const char* unlocked;
                float storedTime;
                const char* bestTime;
                bool shown;
            } ends[] = {{-1, 1, "2", 30.5f, "20.000000", true},
                        {3, 3, "4", 10.0f, "10.000000", false},
                        {5, 3, "5", 0.0f, "0.000000", false},
                        {2, 3, "2", 20.5f, "20.000000", true},
                        {0, 1, "0", 25.0f, "20.000000", true}};
            for (const auto& row : ends) {
                SCOPED_TRACE("stored level " + std::to_string(row.storedLevel));
                Records::Get().Clear();
                if (row.storedLevel >= 0) {
                    Records::Get().SetInt("highestLevelUnlocked", row.storedLevel);
                }
                Records::Get().SetFloat("shortestTime", row.storedTime);
                Entity::Find("newshortesttime")->GetTransform().SetPosition(Vector2(1e8f, 0.0f));
                Manager().currentLevel = row.level;
                Manager().EndLevel(true);
                auto after = ReadRecords();
                EXPECT_EQ(after["highestLevelUnlocked"], row.unlocked);
                EXPECT_EQ(after["shortestTime"], row.bestTime);
                EXPECT_EQ(NewBestTimeShown(), row.shown);
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
