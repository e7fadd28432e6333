#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/PilotProcess.h"
#include "support/TempFolder.h"
#include "support/VelaRunProcess.h"

// `vela-run --watch`: an edited scene shows in the running game between frames; a broken
// edit leaves the last good scene running with the problem on screen and in the log.

namespace {

using TestSupport::Json;
using TestSupport::PilotProcess;

std::string BoxScene(const std::string& position, const std::string& extra = "") {
    return "Entity\tBox\n"
           "\tt\t" +
           position +
           "\n"
           "\tr\t0\n"
           "\ts\t1,1\n"
           "\tImage\n"
           "\t\tSprite\tsprites/centercursor\n" +
           extra;
}

struct LiveReloadTest : testing::Test {
    TestSupport::TempFolder work;
    std::string assets = work.File("assets");
    std::string errors = work.File("stderr.txt");
    std::string scene = assets + "/scenes/live.scene";

    LiveReloadTest() {
        namespace fs = std::filesystem;
        fs::create_directories(assets + "/scenes");
        fs::create_directory_symlink(FLEETWING_SOURCE_DIR "/assets/sprites", assets + "/sprites");
        fs::create_directory_symlink(FLEETWING_SOURCE_DIR "/assets/fonts", assets + "/fonts");
        work.Write("assets/scenes/live.scene", BoxScene("0,0"));
    }
    std::unique_ptr<PilotProcess> Start() {
        return std::make_unique<PilotProcess>(
            std::vector<std::string>{"--assets", assets, "--scene", "scenes/live", "--watch"},
            work.Path(), errors);
    }
    // Steps past the edit and returns the scene as it runs then.
    Json StepAndDump(PilotProcess& pilot, const std::string& name) {
        EXPECT_EQ(pilot.Ask("step 2").rfind("{", 0), 0u);
        const std::string file = work.File(name + ".json");
        EXPECT_EQ(pilot.Ask("dump " + file), "ok");
        return TestSupport::ReadJson(file);
    }
};

TEST_F(LiveReloadTest, AnEditShowsABrokenOneIsShownAndLoggedAndTheFixShowsAgain) {
    auto pilot = Start();
    Json dump = StepAndDump(*pilot, "start");
    ASSERT_NE(TestSupport::FindEntity(dump, "Box"), nullptr);
    EXPECT_EQ((*TestSupport::FindEntity(dump, "Box"))["position"][0].number, 0.0);

    // The editor writes a new version: the box moved, a second entity came.
    work.Write("assets/scenes/live.scene",
               BoxScene("120,40") + "Entity\tAdded\n\tt\t0,0\n\tr\t0\n\ts\t1,1\n");
    dump = StepAndDump(*pilot, "edited");
    ASSERT_NE(TestSupport::FindEntity(dump, "Box"), nullptr);
    EXPECT_EQ((*TestSupport::FindEntity(dump, "Box"))["position"][0].number, 120.0);
    EXPECT_EQ((*TestSupport::FindEntity(dump, "Box"))["position"][1].number, 40.0);
    EXPECT_NE(TestSupport::FindEntity(dump, "Added"), nullptr);

    // A typo on line 7: the edited scene keeps running and the problem is on screen.
    work.Write("assets/scenes/live.scene", BoxScene("-200,0", "\tImag\n"));
    dump = StepAndDump(*pilot, "broken");
    ASSERT_NE(TestSupport::FindEntity(dump, "Box"), nullptr);
    EXPECT_EQ((*TestSupport::FindEntity(dump, "Box"))["position"][0].number, 120.0);
    EXPECT_NE(TestSupport::FindEntity(dump, "Added"), nullptr);
    const Json* message = TestSupport::FindEntity(dump, "WatchProblem");
    ASSERT_NE(message, nullptr);
    const std::string shown = TestSupport::ComponentOf(*message, "Text")["text"].text;
    EXPECT_EQ(shown, scene + ":7: Component Imag not found");
    EXPECT_EQ(pilot->Ask("screenshot " + work.File("broken.png")), "ok");

    // Fixed: the new box shows, the message is gone.
    work.Write("assets/scenes/live.scene", BoxScene("-200,0"));
    dump = StepAndDump(*pilot, "fixed");
    ASSERT_NE(TestSupport::FindEntity(dump, "Box"), nullptr);
    EXPECT_EQ((*TestSupport::FindEntity(dump, "Box"))["position"][0].number, -200.0);
    EXPECT_EQ(TestSupport::FindEntity(dump, "Added"), nullptr);
    EXPECT_EQ(TestSupport::FindEntity(dump, "WatchProblem"), nullptr);

    EXPECT_EQ(pilot->Ask("quit"), "ok");
    pilot.reset();
    const std::string log = TestSupport::ReadText(errors);
    EXPECT_NE(log.find("LOG: Scene not reloaded: " + scene + ":7: Component Imag not found"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("LOG: Reloading Scene: scenes/live"), std::string::npos);
}

TEST_F(LiveReloadTest, WatchNeedsAWindowOrAPilot) {
    const TestSupport::RunResult result =
        TestSupport::RunVelaRun("--watch --frames 3", work.Path());
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.output.find("--watch needs --window or --control"), std::string::npos)
        << result.output;
}

}  // namespace
