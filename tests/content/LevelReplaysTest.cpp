#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "content/ContentRun.h"
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
};

LevelEnd ReadLevelEnd(const Json& dump, int level) {
    const Json& rules = TestSupport::ComponentOf(Named(dump, "GameManager"), "GameManager");
    EXPECT_EQ(rules["currentLevel"].number, level);
    if (!rules["levelEnded"].boolean) {
        return {};
    }
    return {ContentRun::IsAt(Named(dump, "WinWindow"), 0, 0),
            ContentRun::IsAt(Named(dump, "LoseWindow"), 0, 250),
            static_cast<int>(rules["starsFound"].number)};
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
