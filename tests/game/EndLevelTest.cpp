// How a level ends and what it remembers, with the engine in this process: the tests end
// the level themselves at a chosen time and read the record file it saved.
#include <gtest/gtest.h>

#include <functional>

#include "engine/audio/AudioClip.h"
#include "engine/audio/AudioSource.h"
#include "engine/core/Time.h"
#include "engine/entity/Transform.h"
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

// Ends the level once more with no records in memory but those `store` sets.
void EndAgain(int level, const std::function<void(Records&)>& store) {
    Records::Get().Clear();
    store(Records::Get());
    Entity::Find("newshortesttime")->GetTransform().SetPosition(Vector2(100000000.0f, 0.0f));
    Manager().currentLevel = level;
    Manager().EndLevel(true);
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

            const struct {
                int stored;  // -1: none
                int level;
                const char* after;
            } unlocks[] = {{-1, 1, "2"}, {3, 3, "4"}, {5, 3, "5"}, {2, 3, "2"}, {0, 1, "0"}};
            for (const auto& row : unlocks) {
                SCOPED_TRACE("unlock, stored " + std::to_string(row.stored));
                EndAgain(row.level, [&](Records& records) {
                    if (row.stored >= 0) {
                        records.SetInt("highestLevelUnlocked", row.stored);
                    }
                });
                EXPECT_EQ(ReadRecords()["highestLevelUnlocked"], row.after);
            }
            const struct {
                float stored;
                const char* after;
                bool shown;
            } bestTimes[] = {
                {30.5f, "20.000000", true}, {10.0f, "10.000000", false}, {0.0f, "0.000000", false}};
            for (const auto& row : bestTimes) {
                SCOPED_TRACE("best time, stored " + std::to_string(row.stored));
                EndAgain(3,
                         [&](Records& records) { records.SetFloat("shortestTime", row.stored); });
                EXPECT_EQ(ReadRecords()["shortestTime"], row.after);
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
