#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "content/ContentRun.h"
#include "game/TimeText.h"
#include "support/TempFolder.h"

// The eight levels can be won: each checked-in replay, fed to vela-run from the level's start,
// ends with the win window shown; played in order from a fresh save they unlock every level
// and leave the best time and the stars behind. Without any input every level is lost, so
// none is won by falling.

using ContentRun::Named;
using TestSupport::Json;

namespace {

constexpr int kLevels = 8;

struct LevelEnd {
    bool won = false;
    bool lost = false;
    int stars = -1;
    double flightTime = 0.0;
    bool newBest = false;
    std::string winTime;
    std::string winBest;
    bool hudStarsLit = false;
};

std::string TextOf(const Json& dump, const std::string& entity) {
    return TestSupport::ComponentOf(Named(dump, entity), "Text")["text"].text;
}

LevelEnd ReadLevelEnd(const Json& dump, int level) {
    const Json& rules = TestSupport::ComponentOf(Named(dump, "GameManager"), "GameManager");
    EXPECT_EQ(rules["currentLevel"].number, level);
    if (!rules["levelEnded"].boolean) {
        return {};
    }
    LevelEnd end;
    end.won = ContentRun::IsAt(Named(dump, "WinWindow"), 0, 0);
    end.lost = ContentRun::IsAt(Named(dump, "LoseWindow"), 0, 250);
    end.stars = static_cast<int>(rules["starsFound"].number);
    end.flightTime = rules["flightTime"].number;
    end.newBest =
        rules["newBestTime"].boolean && ContentRun::IsAt(Named(dump, "newshortesttime"), 0, 0);
    end.winTime = TextOf(dump, "WinTime");
    end.winBest = TextOf(dump, "WinBest");
    end.hudStarsLit = true;
    for (const char* star : {"HudStar1", "HudStar2", "HudStar3"}) {
        end.hudStarsLit =
            end.hudStarsLit &&
            TestSupport::ComponentOf(Named(dump, star), "Image")["tint"][3].number == 1;
    }
    return end;
}

}  // namespace

TEST(LevelReplays, PlayedInOrderFromAFreshSaveTheyWinEveryLevel) {
    TestSupport::TempFolder home;
    for (int n = 1; n <= kLevels; ++n) {
        const std::string script = ContentRun::kReplays + "/level" + std::to_string(n) + ".input";
        const unsigned frames = ContentRun::FramesOf(script);
        ASSERT_GT(frames, 0u) << script << " names no frame count";
        const std::string dump = home.File("level" + std::to_string(n) + ".json");
        const ContentRun::RunResult run =
            ContentRun::RunGame("--scene scenes/level" + std::to_string(n) + " --input " + script +
                                    " --frames " + std::to_string(frames) + " --dump " + dump,
                                home.Path());
        ASSERT_EQ(run.status, 0) << run.output;
        const LevelEnd end = ReadLevelEnd(TestSupport::ReadJson(dump), n);
        EXPECT_TRUE(end.won) << "level " << n << " is not won by its replay";
        EXPECT_FALSE(end.lost) << n;
        // Each replay flies through all three of its level's stars.
        EXPECT_EQ(end.stars, 3) << n;
        EXPECT_TRUE(end.hudStarsLit) << n;
        // A first win is a new best: the window prints the time, and the ribbon stands where
        // the old best would.
        EXPECT_TRUE(end.newBest) << n;
        EXPECT_EQ(end.winTime, "Time " + Game::FormatFlightTime(static_cast<float>(end.flightTime)))
            << n;
        EXPECT_EQ(end.winBest, "") << n;
        const auto records = TestSupport::ReadRecords(home.Path());
        const std::string best = records.count("bestTime" + std::to_string(n)) != 0
                                     ? records.at("bestTime" + std::to_string(n))
                                     : "";
        EXPECT_NEAR(std::atof(best.c_str()), end.flightTime, 1e-5) << n;
        // The flight leaves out the countdown that the replay cuts short after 1.5 s.
        EXPECT_LT(end.flightTime, (frames - 90) / 60.0) << n;
        EXPECT_GT(end.flightTime, 1.0) << n;
    }
    auto records = TestSupport::ReadRecords(home.Path());
    EXPECT_EQ(records["highestLevelUnlocked"], "9");
    EXPECT_GT(std::atof(records["shortestTime"].c_str()), 1.5);
    for (int n = 1; n <= kLevels; ++n) {
        for (int k = 1; k <= 3; ++k) {
            const std::string key = "foundstar" + std::to_string(n) + "_" + std::to_string(k);
            EXPECT_EQ(records[key], "t") << key;
        }
    }
}

TEST(LevelReplays, WithoutInputEveryLevelIsLost) {
    TestSupport::TempFolder home;
    for (int n = 1; n <= kLevels; ++n) {
        const std::string dump = home.File("level" + std::to_string(n) + ".json");
        // The six-second countdown, then a fall of some seconds at most: the draggy plane
        // sinks slowly, and level 1 starts high.
        const ContentRun::RunResult run = ContentRun::RunGame(
            "--scene scenes/level" + std::to_string(n) + " --frames 1200 --dump " + dump,
            home.Path());
        ASSERT_EQ(run.status, 0) << run.output;
        const LevelEnd end = ReadLevelEnd(TestSupport::ReadJson(dump), n);
        EXPECT_TRUE(end.lost) << "level " << n << " is not lost without input";
        EXPECT_FALSE(end.won) << n;
    }
    // A loss saves nothing.
    EXPECT_FALSE(std::filesystem::exists(TestSupport::RecordPath(home.Path())));
}
