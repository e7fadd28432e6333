#include <gtest/gtest.h>

#include <string>

#include "support/Json.h"
#include "support/TempFolder.h"
#include "support/VelaRunProcess.h"

using TestSupport::Json;

namespace {

using TestSupport::ReadJson;
using TestSupport::RunResult;
using TestSupport::RunVelaRun;

const std::string kFixtureAssets = FLEETWING_SOURCE_DIR "/tests/tools/vela-run/data";

struct VelaRunTest : testing::Test {
    TestSupport::TempFolder work;
    std::string Out(const std::string& name) const { return work.Path() + "/" + name; }
    std::string Run(const std::string& extra, int expectedStatus = 0) {
        RunResult result = RunVelaRun(
            "--assets " + kFixtureAssets + " --scene scenes/fixture " + extra, work.Path());
        EXPECT_EQ(result.status, expectedStatus) << result.output;
        return result.output;
    }
};

}  // namespace

TEST_F(VelaRunTest, DumpsTheSceneInTreeOrderAtTheFramesAskedFor) {
    const std::string input =
        work.Write("input.txt", "# cursor moves\n1\tmove\t100\t-50\n3\tmove\t-200\t75\n");
    const std::string log = Run("--frames 4 --input " + input + " --dump " + Out("end.json") +
                                " --dump-at 2:" + Out("two.json"));
    EXPECT_NE(log.find("LOG: Quitting game loop"), std::string::npos);

    const Json two = ReadJson(Out("two.json"));
    EXPECT_EQ(two["frame"].number, 2);
    EXPECT_EQ(two["cursor"][0].number, 100);
    EXPECT_EQ(two["cursor"][1].number, -50);

    const Json end = ReadJson(Out("end.json"));
    EXPECT_EQ(end["frame"].number, 4);
    EXPECT_EQ(end["scene"].text, "scenes/fixture");
    EXPECT_EQ(end["timeScale"].number, 1);
    EXPECT_EQ(end["cursor"][0].number, -200);
    const Json& entities = end["entities"];
    ASSERT_EQ(entities.items.size(), 4u);
    EXPECT_EQ(entities[0]["path"].text, "Base");
    EXPECT_EQ(entities[1]["path"].text, "Base/Arm");
    EXPECT_EQ(entities[2]["path"].text, "Base/Arm/Hand");
    EXPECT_EQ(entities[3]["path"].text, "Loose");
    EXPECT_EQ(entities[0]["tags"][0].text, "ground");
    EXPECT_EQ(entities[0]["components"][0]["type"].text, "Transform");
    // Hand: (5, 0) scaled by Arm's 2 and moved 10 along x is (20, 0) in Base, which turns it
    // a quarter to (0, 20) and moves it to (100, -30).
    EXPECT_NEAR(entities[2]["world"][0].number, 100.0, 1e-3);
    EXPECT_NEAR(entities[2]["world"][1].number, -30.0, 1e-3);
    EXPECT_EQ(entities[3]["position"][0].number, -20);
}

TEST_F(VelaRunTest, MalformedInputStopsBeforeTheEngineStarts) {
    const std::string input = work.Write("bad.txt", "1\tmove\t0\t0\n\n2\tpress\tp\n");
    const std::string output = Run("--frames 2 --input " + input, 2);
    EXPECT_NE(output.find(input + ":3: unknown command 'press'"), std::string::npos) << output;
    EXPECT_EQ(output.find("Ember Engine"), std::string::npos);
}

TEST_F(VelaRunTest, HelpAndBadOptions) {
    RunResult help = RunVelaRun("--help", work.Path());
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("--dump-at N:FILE"), std::string::npos);
    RunResult bad = RunVelaRun("--frames none", work.Path());
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.output.find("Usage: vela-run"), std::string::npos);
}
