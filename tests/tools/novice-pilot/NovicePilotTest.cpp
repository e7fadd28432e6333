#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "support/Json.h"
#include "support/TempFolder.h"
#include "support/VelaRunProcess.h"

namespace {

using TestSupport::Json;

// One attempt of the novice pilot on level 1 with the given seed, HOME pointing at `home`.
TestSupport::RunResult Fly(const std::string& home, int seed) {
    return TestSupport::RunCommand("HOME=" + TestSupport::ShellQuote(home) +
                                   " python3 " FLEETWING_SOURCE_DIR
                                   "/tools/novice-pilot.py --vela-run " FLEETWING_BINARY_DIR
                                   "/tools/vela-run/vela-run --assets " FLEETWING_SOURCE_DIR
                                   "/assets --time-limit 60 --seed " +
                                   std::to_string(seed) + " 1");
}

TEST(NovicePilotTest, AnAttemptReportsOneJsonLineThatTheSameSeedRepeatsAndLeavesNoSaveBehind) {
    TestSupport::TempFolder home;
    const TestSupport::RunResult first = Fly(home.Path(), 3);
    ASSERT_EQ(first.status, 0) << first.output;
    const Json outcome = Json::Parse(first.output);
    EXPECT_EQ(outcome["level"].number, 1);
    EXPECT_EQ(outcome["seed"].number, 3);
    EXPECT_TRUE((std::set<std::string>{"won", "lost", "timeout"}).count(outcome["result"].text))
        << first.output;
    EXPECT_GT(outcome["time"].number, 0.0);
    EXPECT_LE(outcome["time"].number, 60.0);
    if (outcome["result"].text == "won") {
        EXPECT_EQ(outcome["hit"].text, "");
    } else {
        EXPECT_NE(outcome["hit"].text, "") << "a failed flight names what ended it";
    }
    // Each attempt keeps its records in a home of its own, never the player's (this seed wins,
    // and a win is what the game records).
    EXPECT_FALSE(std::filesystem::exists(TestSupport::RecordPath(home.Path())));

    const TestSupport::RunResult again = Fly(home.Path(), 3);
    EXPECT_EQ(again.output, first.output) << "the same seed flies the same flight";
}

}  // namespace
