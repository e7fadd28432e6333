// The level flow from the outside: the real runner plays a fixture level with scripted
// input under a throw-away home, and the record file and the dump tell how it went.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "support/Json.h"
#include "support/TempFolder.h"

using TestSupport::Json;

namespace {

struct Result {
    int status = -1;
    std::string output;
};

Result RunVelaRun(const std::string& arguments, const std::string& home) {
    const std::string command =
        "HOME=" + home + " " FLEETWING_BINARY_DIR "/tools/vela-run/vela-run " + arguments + " 2>&1";
    Result result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        result.output.append(buffer, n);
    }
    const int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The record file's entries; the order of its lines is not fixed.
std::map<std::string, std::string> ReadRecords(const std::string& path) {
    std::map<std::string, std::string> records;
    std::istringstream in(ReadText(path));
    for (std::string line; std::getline(in, line);) {
        const std::size_t tab = line.find('\t');
        if (tab != std::string::npos) {
            records[line.substr(0, tab)] = line.substr(tab + 1);
        }
    }
    return records;
}

const Json* EntityAt(const Json& dump, const std::string& path) {
    for (const Json& entity : dump["entities"].items) {
        if (entity["path"].text == path) {
            return &entity;
        }
    }
    return nullptr;
}

const Json& ComponentOf(const Json& entity, const std::string& type) {
    for (const Json& component : entity["components"].items) {
        if (component["type"].text == type) {
            return component;
        }
    }
    throw std::runtime_error("no " + type + " on " + entity["path"].text);
}

struct FlightEndToEnd : testing::Test {
    FlightEndToEnd() {
        namespace fs = std::filesystem;
        const fs::path root = assets.Path();
        fs::create_directory_symlink(FLEETWING_SOURCE_DIR "/tests/game/scenes", root / "scenes");
        fs::create_directory_symlink(FLEETWING_SOURCE_DIR "/assets/sprites", root / "sprites");
        fs::create_directory_symlink(FLEETWING_SOURCE_DIR "/assets/sounds", root / "sounds");
    }

    // The cursor waits left of the plane; the mouse, pressed at 1.67 s, ends the countdown
    // and blows until `release`.
    std::string Fly(unsigned release) {
        const std::string input =
            home.Write("input.txt", "1\tmove\t-450\t100\n100\tdown\tmouse_left\n" +
                                        std::to_string(release) + "\tup\tmouse_left\n");
        const Result result = RunVelaRun("--assets " + assets.Path() +
                                             " --scene scenes/flight --frames 300 --input " +
                                             input + " --dump " + Dump(),
                                         home.Path());
        EXPECT_EQ(result.status, 0) << result.output;
        return result.output;
    }
    std::string Dump() const { return home.File("end.json"); }
    std::string RecordFile() const {
        return home.Path() + "/VelaEngine/data/records/Fleetwing.record";
    }

    TestSupport::TempFolder assets;
    TestSupport::TempFolder home;
};

}  // namespace

TEST_F(FlightEndToEnd, AShortBlowCarriesThePlaneOntoTheWinFlagAndTheWinIsRecorded) {
    const std::string log = Fly(106);
    EXPECT_NE(log.find("LOG: Saving Record to: " + RecordFile()), std::string::npos) << log;

    const std::map<std::string, std::string> records = ReadRecords(RecordFile());
    // A fresh save: winning level 1 opens level 2, the first time is the best one, and the one
    // star picked at the start is remembered.
    ASSERT_EQ(records.count("highestLevelUnlocked"), 1u) << ReadText(RecordFile());
    EXPECT_EQ(records.at("highestLevelUnlocked"), "2");
    ASSERT_EQ(records.count("shortestTime"), 1u);
    const double time = std::atof(records.at("shortestTime").c_str());
    EXPECT_GT(time, 2.0);  // countdown and flight, in frames of 1/60 s
    EXPECT_LT(time, 5.0);
    EXPECT_EQ(records.count("foundstar1_1") == 1 ? records.at("foundstar1_1") : "", "t");
    EXPECT_EQ(records.count("foundstar1_2"), 0u);
    EXPECT_EQ(records.size(), 3u);

    const Json dump = Json::Parse(ReadText(Dump()));
    const Json* plane = EntityAt(dump, "Airplane");
    ASSERT_NE(plane, nullptr);
    const Json& controller = ComponentOf(*plane, "PlaneRotator");
    EXPECT_LT(controller["countdownLeft"].number, 0.0);
    EXPECT_FALSE(controller["checkpointUsed"].boolean);
    EXPECT_FALSE(ComponentOf(*EntityAt(dump, "Fan"), "Wind")["showingCursor"].boolean);
    // Skipped with the mouse: the countdown pictures are gone.
    EXPECT_EQ(EntityAt(dump, "g3"), nullptr);
    EXPECT_EQ(EntityAt(dump, "InGameStar"), nullptr);
    EXPECT_EQ((*EntityAt(dump, "WinWindow"))["position"][0].number, 0.0);
    EXPECT_EQ((*EntityAt(dump, "newshortesttime"))["position"][0].number, 0.0);
    EXPECT_EQ((*EntityAt(dump, "LoseWindow"))["position"][0].number, 100000000.0);
    const Json& manager = ComponentOf(*EntityAt(dump, "Manager"), "GameManager");
    EXPECT_TRUE(manager["levelEnded"].boolean);
    EXPECT_EQ(manager["starsFound"].number, 1.0);
}

TEST_F(FlightEndToEnd, WithoutTheBlowThePlaneCrashesAndNothingIsSaved) {
    const std::string log = Fly(101);
    EXPECT_EQ(log.find("Saving Record"), std::string::npos) << log;
    EXPECT_FALSE(std::filesystem::exists(RecordFile()));

    const Json dump = Json::Parse(ReadText(Dump()));
    const Json* lose = EntityAt(dump, "LoseWindow");
    ASSERT_NE(lose, nullptr);
    EXPECT_EQ((*lose)["position"][0].number, 0.0);
    EXPECT_EQ((*lose)["position"][1].number, 250.0);
    EXPECT_EQ((*EntityAt(dump, "WinWindow"))["position"][0].number, 100000000.0);
    EXPECT_TRUE(ComponentOf(*EntityAt(dump, "Manager"), "GameManager")["levelEnded"].boolean);
}
