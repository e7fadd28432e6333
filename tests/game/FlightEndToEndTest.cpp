// The level flow from the outside: the real runner plays a fixture level with scripted
// input under a throw-away home, and the record file and the dump tell how it went.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

#include "game/GameTestSupport.h"

using GameTest::ComponentOf;
using GameTest::Json;

namespace {

const Json* Named(const Json& dump, const std::string& path) {
    return TestSupport::FindEntity(dump, path, "path");
}

struct FlightEndToEnd : GameTest::SceneRun {
    // The cursor waits left of the plane; the mouse, pressed at 1.67 s, ends the countdown
    // and blows until `release`.
    std::string Fly(unsigned release) {
        return RunOk("flight", 300,
                     "1\tmove\t-450\t100\n100\tdown\tmouse_left\n" + std::to_string(release) +
                         "\tup\tmouse_left\n");
    }
    std::string RecordFile() const { return home.RecordFile(); }
};

}  // namespace

TEST_F(FlightEndToEnd, AShortBlowCarriesThePlaneOntoTheWinFlagAndTheWinIsRecorded) {
    const std::string log = Fly(106);
    EXPECT_NE(log.find("LOG: Saving Record to: " + RecordFile()), std::string::npos) << log;

    const std::map<std::string, std::string> records = home.ReadRecords();
    // A fresh save: winning level 1 opens level 2, the first time is the best one, and the one
    // star picked at the start is remembered.
    ASSERT_EQ(records.count("highestLevelUnlocked"), 1u) << home.ReadRecordText();
    EXPECT_EQ(records.at("highestLevelUnlocked"), "2");
    ASSERT_EQ(records.count("shortestTime"), 1u);
    const double time = std::atof(records.at("shortestTime").c_str());
    EXPECT_GT(time, 2.0);  // countdown and flight, in frames of 1/60 s
    EXPECT_LT(time, 5.0);
    EXPECT_EQ(records.count("foundstar1_1") == 1 ? records.at("foundstar1_1") : "", "t");
    EXPECT_EQ(records.count("foundstar1_2"), 0u);
    EXPECT_EQ(records.size(), 3u);

    const Json dump = End();
    const Json* plane = Named(dump, "Airplane");
    ASSERT_NE(plane, nullptr);
    const Json& controller = ComponentOf(*plane, "PlaneRotator");
    EXPECT_LT(controller["countdownLeft"].number, 0.0);
    EXPECT_FALSE(controller["checkpointUsed"].boolean);
    EXPECT_FALSE(ComponentOf(*Named(dump, "Fan"), "Wind")["showingCursor"].boolean);
    // Skipped with the mouse: the countdown pictures are gone.
    EXPECT_EQ(Named(dump, "g3"), nullptr);
    EXPECT_EQ(Named(dump, "InGameStar"), nullptr);
    EXPECT_EQ((*Named(dump, "WinWindow"))["position"][0].number, 0.0);
    EXPECT_EQ((*Named(dump, "newshortesttime"))["position"][0].number, 0.0);
    EXPECT_EQ((*Named(dump, "LoseWindow"))["position"][0].number, 100000000.0);
    const Json& manager = ComponentOf(*Named(dump, "Manager"), "GameManager");
    EXPECT_TRUE(manager["levelEnded"].boolean);
    EXPECT_EQ(manager["starsFound"].number, 1.0);
}

TEST_F(FlightEndToEnd, WithoutTheBlowThePlaneCrashesAndNothingIsSaved) {
    const std::string log = Fly(101);
    EXPECT_EQ(log.find("Saving Record"), std::string::npos) << log;
    EXPECT_FALSE(home.HasRecordFile());

    const Json dump = End();
    const Json* lose = Named(dump, "LoseWindow");
    ASSERT_NE(lose, nullptr);
    EXPECT_EQ((*lose)["position"][0].number, 0.0);
    EXPECT_EQ((*lose)["position"][1].number, 250.0);
    EXPECT_EQ((*Named(dump, "WinWindow"))["position"][0].number, 100000000.0);
    EXPECT_TRUE(ComponentOf(*Named(dump, "Manager"), "GameManager")["levelEnded"].boolean);
}
