// How a level ends and what it remembers, with the engine in this process: the tests end
// the level themselves at a chosen time and read the record file it saved.
#include <gtest/gtest.h>

#include <optional>

#include "engine/audio/AudioClip.h"
#include "engine/audio/AudioSource.h"
#include "engine/core/Time.h"
#include "engine/entity/Transform.h"
#include "engine/graphics/Image.h"
#include "game/GameManager.h"
#include "tests/game/GameEngineSupport.h"

using namespace GameTest;
using namespace VelaEngine;

namespace {

// Each frame lasts half a second and the level starts in frame 2, when half a second has
// passed; so after frame k the level has run (k - 1) / 2 seconds.
constexpr double kStep = 0.5;
constexpr unsigned FrameAtSeconds(double seconds) {
    return static_cast<unsigned>(seconds / kStep) + 1;
}

Game::GameManager& Manager() {
    auto* manager = Find<Game::GameManager>("GameManager");
    if (manager == nullptr) {
        throw std::runtime_error("no game manager");
    }
    return *manager;
}

// Ends the level after `frame` with the manager set up by `prepare`, then runs one more frame.
void EndAt(SceneInProcess& level, unsigned frame, bool won,
           std::function<void(Game::GameManager&)> prepare = nullptr) {
    level.Run(frame + 1, [&](unsigned at) {
        if (at != frame) {
            return;
        }
        if (prepare) {
            prepare(Manager());
        }
        Manager().EndLevel(won);
    });
}

float TintAlpha(const std::string& entity) {
    return Find<Graphics::Image>(entity)->GetTint().a;
}

struct Unlock {
    std::optional<int> stored;
    int level;
    std::optional<int> after;
};

void PrintTo(const Unlock& c, std::ostream* out) {
    *out << "stored " << (c.stored ? std::to_string(*c.stored) : "none") << ", level " << c.level;
}

class UnlockTest : public testing::TestWithParam<Unlock> {};

TEST_P(UnlockTest, WinningTheHighestOpenLevelOpensTheNext) {
    const Unlock& c = GetParam();
    SceneInProcess level("level", kStep);
    if (c.stored) {
        level.home.WriteRecords("highestLevelUnlocked\t" + std::to_string(*c.stored));
    }
    EndAt(level, 2, true, [&](Game::GameManager& manager) { manager.currentLevel = c.level; });
    auto records = level.home.ReadRecords();
    if (c.after) {
        EXPECT_EQ(records["highestLevelUnlocked"], std::to_string(*c.after));
    } else {
        EXPECT_EQ(records.count("highestLevelUnlocked"), 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(Records, UnlockTest,
                         testing::Values(Unlock{3, 3, 4}, Unlock{5, 3, 5}, Unlock{2, 3, 2},
                                         // A fresh save has level 1 open, not level 0.
                                         Unlock{std::nullopt, 1, 2},
                                         Unlock{std::nullopt, 3, std::nullopt}, Unlock{0, 1, 0}));

struct BestTime {
    std::optional<std::string> stored;
    std::string after;
    bool shown;
};

void PrintTo(const BestTime& c, std::ostream* out) {
    *out << "stored " << c.stored.value_or("none");
}

class BestTimeTest : public testing::TestWithParam<BestTime> {};

TEST_P(BestTimeTest, AFasterWinIsTheNewBestTime) {
    const BestTime& c = GetParam();
    SceneInProcess level("level", kStep);
    if (c.stored) {
        level.home.WriteRecords("shortestTime\t" + *c.stored);
    }
    bool shown = false;
    level.Run(FrameAtSeconds(20.0) + 1, [&](unsigned frame) {
        if (frame == FrameAtSeconds(20.0)) {
            Manager().EndLevel(true);
            shown = Entity::Find("newshortesttime")->GetTransform().GetPosition() ==
                    Vector2(0.0f, 0.0f);
        }
    });
    EXPECT_EQ(level.home.ReadRecords()["shortestTime"], c.after);
    EXPECT_EQ(shown, c.shown);
}

INSTANTIATE_TEST_SUITE_P(Records, BestTimeTest,
                         testing::Values(BestTime{"30.500000", "20.000000", true},
                                         BestTime{"10.000000", "10.000000", false},
                                         // No time yet: the first win sets one.
                                         BestTime{std::nullopt, "20.000000", true},
                                         BestTime{"0.000000", "0.000000", false}));

TEST(EndLevel, TheLevelTimeIncludesTimeSpentInTheOptions) {
    SceneInProcess level("level", kStep);
    const unsigned end = FrameAtSeconds(20.0);
    level.Run(
        end + 1,
        [&](unsigned frame) {
            if (frame == 15) {
                EXPECT_TRUE(Time::Get().IsPaused());
            }
            if (frame == end) {
                Manager().EndLevel(true);
            }
        },
        [](unsigned frame) {
            const bool escape = frame == 10 || frame == 20;
            g_input.keys[0x1B] = escape ? 0x80 : 0;
        });
    EXPECT_EQ(level.home.ReadRecords()["shortestTime"], "20.000000");
}

TEST(EndLevel, ALossStoresNothingAndPlaysTheLoseSound) {
    SceneInProcess level("level", kStep);
    // Saving would rewrite these line ends, so the file shows whether anything was saved.
    level.home.WriteRecords("highestLevelUnlocked\t3\r\n\r\n");
    const std::string before = level.home.ReadRecordText();
    bool ended = false;
    std::string clip;
    level.Run(3, [&](unsigned frame) {
        if (frame != 2) {
            return;
        }
        Manager().starsFound = 3;
        Manager().EndLevel(false);
        ended = Manager().levelEnded;
        clip = Find<Audio::AudioSource>("GameManager")->GetClip()->GetPath();
    });
    EXPECT_TRUE(ended);
    EXPECT_TRUE(clip.ends_with("/sounds/sfx/lose.mp3")) << clip;
    EXPECT_EQ(level.home.ReadRecordText(), before);
}

TEST(EndLevel, ClosingTheOptionsLightsTheStarsFound) {
    SceneInProcess level("level", kStep);
    float star1 = 0.0f;
    float star3 = 0.0f;
    level.Run(
        6,
        [&](unsigned frame) {
            if (frame == 2) {
                Manager().starsFound = 2;
            }
            if (frame == 4) {
                // Opening shows the window as it is.
                EXPECT_NEAR(TintAlpha("Star1"), 0.55f, 1e-6);
            }
            star1 = TintAlpha("Star1");
            star3 = TintAlpha("Star3");
        },
        [](unsigned frame) { g_input.keys[0x1B] = frame == 3 || frame == 5 ? 0x80 : 0; });
    EXPECT_EQ(Find<Graphics::Image>("Star2")->GetTint(), Graphics::Color(1, 1, 1, 1));
    EXPECT_EQ(star1, 1.0f);
    EXPECT_NEAR(star3, 0.55f, 1e-6);
}

TEST(GameWin, TheWinWindowShowsTheStarsFound) {
    SceneInProcess level("win", 1.0 / 60.0);
    level.Run(120, [](unsigned frame) {
        if (frame == 2) {
            Manager().starsFound = 2;
        }
    });
    EXPECT_TRUE(Manager().levelEnded);
    EXPECT_EQ(Find<Graphics::Image>("Star1")->GetTint(), Graphics::Color(1, 1, 1, 1));
    EXPECT_EQ(Find<Graphics::Image>("Star2")->GetTint(), Graphics::Color(1, 1, 1, 1));
    EXPECT_NEAR(TintAlpha("Star3"), 0.55f, 1e-6);
    auto records = level.home.ReadRecords();
    EXPECT_EQ(records["foundstar2_1"], "t");
    EXPECT_EQ(records["foundstar2_2"], "t");
    EXPECT_EQ(records.count("foundstar2_3"), 0u);
}

}  // namespace
