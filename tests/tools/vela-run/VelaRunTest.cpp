#include <gtest/gtest.h>

#include <fstream>
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

namespace {
// How often the button at `path` of the buttons fixture was clicked, or -1 when it is absent.
double ClicksOf(const Json& dump, const std::string& path) {
    const Json* entity = TestSupport::FindEntity(dump, path, "path");
    const Json* button =
        entity != nullptr ? TestSupport::FindComponent(*entity, "Button") : nullptr;
    return button != nullptr ? (*button)["clicks"].number : -1;
}
}  // namespace

TEST_F(VelaRunTest, PlayedLegsRunBackToBackEachStartingAfresh) {
    // Leg 1 ends with the button held over Play. Leg 2 presses it on its first frame, which is
    // a click only if the leg began with every key up, as a fresh process does. Leg 3 presses
    // it on its own third frame, not the run's.
    const std::string hold = work.Write("hold.txt", "1\tmove\t-300\t0\n2\tdown\tmouse_left\n");
    const std::string now = work.Write("now.txt", "1\tmove\t-300\t0\n1\tdown\tmouse_left\n");
    const std::string later = work.Write("later.txt", "1\tmove\t-300\t0\n3\tdown\tmouse_left\n");
    RunResult result = RunVelaRun(
        "--assets " + kFixtureAssets + " --play scenes/buttons:" + hold +
            ":3 --play scenes/buttons:" + now + ":1 --play scenes/buttons:" + later +
            ":3 --play scenes/fixture::1 --leg-dump " + Out("leg") + " --rss-log " +
            Out("rss.log") + " --dump-at 6:" + Out("six.json") + " --dump " + Out("end.json"),
        work.Path());
    ASSERT_EQ(result.status, 0) << result.output;

    const Json leg1 = ReadJson(Out("leg1.json"));
    EXPECT_EQ(leg1["frame"].number, 3);
    EXPECT_EQ(leg1["scene"].text, "scenes/buttons");
    EXPECT_EQ(ClicksOf(leg1, "Menu/Play"), 1);
    EXPECT_EQ(ClicksOf(ReadJson(Out("leg2.json")), "Menu/Play"), 1);
    // The run's frame 6 is leg 3's second: a rebuilt scene, the press not yet due.
    EXPECT_EQ(ClicksOf(ReadJson(Out("six.json")), "Menu/Play"), 0);
    EXPECT_EQ(ClicksOf(ReadJson(Out("leg3.json")), "Menu/Play"), 1);
    const Json leg4 = ReadJson(Out("leg4.json"));
    EXPECT_EQ(leg4["scene"].text, "scenes/fixture");
    EXPECT_EQ(leg4["entities"].items.size(), 4u);
    EXPECT_EQ(ReadJson(Out("end.json"))["frame"].number, 8);

    std::ifstream log(Out("rss.log"));
    const char* scenes[] = {"scenes/buttons", "scenes/buttons", "scenes/buttons", "scenes/fixture"};
    for (int k = 1; k <= 4; ++k) {
        std::string word;
        std::string scene;
        std::string unit;
        int leg = 0;
        long kb = 0;
        ASSERT_TRUE(log >> word >> leg >> scene >> unit >> kb) << "line " << k;
        EXPECT_EQ(word + unit, "legrss_kb");
        EXPECT_EQ(leg, k);
        EXPECT_EQ(scene, scenes[k - 1]);
        EXPECT_GT(kb, 1000);
    }
}

TEST_F(VelaRunTest, PlayDoesNotMixWithASingleRun) {
    for (const std::string& arguments :
         {std::string("--play scenes/fixture::2 --frames 3"),
          std::string("--scene scenes/fixture --play scenes/fixture::2"),
          std::string("--play scenes/fixture:in.txt"), std::string("--play scenes/fixture::0")}) {
        RunResult result = RunVelaRun("--assets " + kFixtureAssets + " " + arguments, work.Path());
        EXPECT_EQ(result.status, 2) << arguments;
        EXPECT_NE(result.output.find("--play"), std::string::npos) << result.output;
        EXPECT_NE(result.output.find("Usage: vela-run"), std::string::npos) << arguments;
    }
}
