#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>
#include <string>

#include "platform/EBImageFile.h"
#include "support/PilotProcess.h"
#include "support/TempFolder.h"
#include "support/VelaRunProcess.h"

namespace {

using TestSupport::Json;
using TestSupport::PilotProcess;

// A level with a camera off the origin: the plane starts over a wall, the win flag lies to
// the right, a rock far out of view.
struct ControlTest : testing::Test {
    TestSupport::TempFolder work;
    std::string assets = work.File("assets");
    std::string errors = work.File("stderr.txt");

    ControlTest() {
        namespace fs = std::filesystem;
        fs::create_directories(assets + "/scenes");
        fs::copy_file(FLEETWING_SOURCE_DIR "/tests/tools/vela-run/data/scenes/pilot.scene",
                      assets + "/scenes/pilot.scene");
        fs::create_directory_symlink(FLEETWING_SOURCE_DIR "/assets/sprites", assets + "/sprites");
        fs::create_directory_symlink(FLEETWING_SOURCE_DIR "/assets/sounds", assets + "/sounds");
    }
    std::unique_ptr<PilotProcess> Start() {
        return std::make_unique<PilotProcess>(
            std::vector<std::string>{"--assets", assets, "--scene", "scenes/pilot"}, work.Path(),
            errors);
    }
    static Json Step(PilotProcess& pilot, unsigned frames) {
        return Json::Parse(pilot.Ask("step " + std::to_string(frames)));
    }
};

const Json* Collider(const Json& observation, const std::string& name) {
    for (const Json& collider : observation["colliders"].items) {
        if (collider["name"].text == name) {
            return &collider;
        }
    }
    return nullptr;
}

// Steers with the fan: blows from where the wanted push comes, harder the closer the cursor,
// until the plane is over the flag, then brakes and lets it sink onto the flag.
Json FlyToTheFlag(PilotProcess& pilot, Json observation) {
    const double flagX = (*Collider(observation, "WinFlag"))["screen"][0].number;
    EXPECT_EQ(pilot.Ask("down mouse_left"), "ok");
    while (!observation["level"]["ended"].boolean && observation["frame"].number < 1200) {
        const Json& plane = observation["plane"];
        const double x = plane["screen"][0].number;
        const double y = plane["screen"][1].number;
        const bool over = x > flagX - 40;
        const double ax = 5 * ((over ? 0 : 150) - plane["velocity"][0].number);
        const double ay = 5 * ((over ? -60 : 0) - plane["velocity"][1].number) + 200;
        const double push = std::hypot(ax, ay);
        const double distance = std::fmin(290, std::fmax(40, 300 * (1 - push / 3500)));
        EXPECT_EQ(pilot.Ask("move " + std::to_string(x - ax / push * distance) + " " +
                            std::to_string(y - ay / push * distance)),
                  "ok");
        observation = ControlTest::Step(pilot, 2);
    }
    return observation;
}

TEST_F(ControlTest, AnIdlePilotCrashesOnTheWallWhileOneSteeringByObservationsWins) {
    auto idle = Start();
    const Json crashed = Step(*idle, 500);
    EXPECT_TRUE(crashed["level"]["lost"].boolean);
    EXPECT_FALSE(crashed["level"]["won"].boolean);
    EXPECT_EQ(crashed["level"]["lastContact"].text, "Wall");

    auto pilot = Start();
    // Past the countdown's first 1.5 s, when holding the button may cut it short.
    const Json won = FlyToTheFlag(*pilot, Step(*pilot, 100));
    EXPECT_TRUE(won["level"]["ended"].boolean);
    EXPECT_TRUE(won["level"]["won"].boolean);
    EXPECT_FALSE(won["level"]["lost"].boolean);
    EXPECT_LT(won["level"]["countdownLeft"].number, 0.0);
    EXPECT_EQ(pilot->Ask("quit"), "ok");
    EXPECT_EQ(pilot->Wait(), 0);

    // Same commands, same answers: a second flight lands on the same frame.
    auto again = Start();
    EXPECT_EQ(FlyToTheFlag(*again, Step(*again, 100))["frame"].number, won["frame"].number);
}

TEST_F(ControlTest, TheObservationShowsCameraCursorPlaneLevelAndTheCollidersOnScreen) {
    auto pilot = Start();
    EXPECT_EQ(pilot->Ask("move 30 -40"), "ok");
    const Json seen = Step(*pilot, 1);
    EXPECT_EQ(seen["frame"].number, 1);
    EXPECT_EQ(seen["scene"].text, "scenes/pilot");
    EXPECT_TRUE(seen["running"].boolean);
    EXPECT_EQ(seen["camera"]["position"][0].number, 100);
    EXPECT_EQ(seen["camera"]["position"][1].number, 50);
    EXPECT_EQ(seen["cursor"]["screen"][0].number, 30);
    EXPECT_EQ(seen["cursor"]["screen"][1].number, -40);
    EXPECT_EQ(seen["cursor"]["world"][0].number, 130);
    EXPECT_EQ(seen["cursor"]["world"][1].number, 10);

    // Held at the start by the countdown, after one frame of fall.
    const Json& plane = seen["plane"];
    EXPECT_EQ(plane["position"][0].number, 100);
    EXPECT_NEAR(plane["position"][1].number, 50 - 200.0 / 3600, 1e-4);
    EXPECT_NEAR(plane["screen"][1].number, -200.0 / 3600, 1e-4);
    EXPECT_NEAR(plane["velocity"][1].number, -200.0 / 60, 1e-4);
    EXPECT_EQ(plane["rotation"].number, 0);
    const Json& level = seen["level"];
    EXPECT_NEAR(level["countdownLeft"].number, 6 - 1.0 / 60, 1e-5);
    EXPECT_FALSE(level["ended"].boolean);
    EXPECT_EQ(level["starsFound"].number, 0);
    EXPECT_FALSE(level["checkpointUsed"].boolean);
    EXPECT_TRUE(level.Has("lastContact"));
    EXPECT_EQ(level["lastContact"].text, "") << "null until something costs the plane";

    std::set<std::string> names;
    for (const Json& collider : seen["colliders"].items) {
        names.insert(collider["name"].text);
    }
    EXPECT_EQ(names, (std::set<std::string>{"Airplane", "Wall", "WinFlag", "EdgeRock"}))
        << "a collider partly in the picture counts, one far out of it does not";
    EXPECT_EQ((*Collider(seen, "EdgeRock"))["screen"][0].number, 820);
    const Json& wall = *Collider(seen, "Wall");
    EXPECT_EQ(wall["path"].text, "World/Wall");
    EXPECT_EQ(wall["shape"].text, "rect");
    EXPECT_EQ(wall["screen"][0].number, 0);
    EXPECT_EQ(wall["screen"][1].number, -150);
    EXPECT_EQ(wall["w"].number, 200);
    EXPECT_EQ(wall["h"].number, 40);
    EXPECT_EQ((*Collider(seen, "Airplane"))["radius"].number, 20);
}

TEST_F(ControlTest, BadCommandsAnswerAnErrorAndTheRunGoesOnUntilQuit) {
    auto pilot = Start();
    for (const char* bad :
         {"fly", "", "step", "step 0", "step two", "step 999999999", "move 1", "move a b", "down",
          "down shift", "up mouse_left extra", "observe now", "dump", "screenshot  ",
          "screenshot " /* before any picture */ "x.png"}) {
        const std::string answer = pilot->Ask(bad);
        EXPECT_EQ(answer.rfind("error: ", 0), 0u) << "'" << bad << "' answered " << answer;
    }
    const std::string endless = pilot->Ask(std::string(1 << 20, 'x'));
    EXPECT_EQ(endless, "error: a command line is at most 65536 bytes");
    EXPECT_EQ(Step(*pilot, 2)["frame"].number, 2);
    const std::string shot = work.File("shot.png");
    const std::string dump = work.File("dump.json");
    EXPECT_EQ(pilot->Ask("screenshot " + shot), "ok");
    EXPECT_EQ(pilot->Ask("dump " + dump), "ok");
    EXPECT_EQ(pilot->Ask("dump " + work.File("missing/dump.json")).rfind("error: ", 0), 0u);
    EXPECT_EQ(Json::Parse(pilot->Ask("observe"))["frame"].number, 2);
    EXPECT_EQ(pilot->Ask("quit"), "ok");
    // Nothing follows the last answer: the engine's log went to standard error.
    EXPECT_EQ(pilot->ReadLine(), "<eof>");
    EXPECT_EQ(pilot->Wait(), 0);
    EXPECT_NE(TestSupport::ReadText(errors).find("LOG: Running game loop"), std::string::npos);

    EXPECT_EQ(TestSupport::ReadJson(dump)["frame"].number, 2);
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;
    EXPECT_TRUE(EBImageLoadPNG(shot.c_str(), pixels, width, height));
    EXPECT_EQ(width, 1600);
    EXPECT_EQ(height, 900);
}

TEST_F(ControlTest, TheEndOfInputEndsTheRunCleanly) {
    auto pilot = Start();
    EXPECT_EQ(Step(*pilot, 3)["frame"].number, 3);
    pilot->CloseInput();
    EXPECT_EQ(pilot->ReadLine(), "<eof>");
    EXPECT_EQ(pilot->Wait(), 0);
    const std::string log = TestSupport::ReadText(errors);
    EXPECT_NE(log.find("LOG: Quitting game loop"), std::string::npos) << log;
}

// A quick click lasts one frame however long the step, and the next one clicks again.
TEST_F(ControlTest, ADownAndUpBeforeAStepIsOneQuickClick) {
    PilotProcess pilot({"--assets", FLEETWING_SOURCE_DIR "/tests/tools/vela-run/data", "--scene",
                        "scenes/buttons"},
                       work.Path(), errors);
    const std::string dump = work.File("buttons.json");
    auto clicks = [&] {
        EXPECT_EQ(pilot.Ask("dump " + dump), "ok");
        return TestSupport::ComponentOf(
                   TestSupport::EntityAt(TestSupport::ReadJson(dump), "Menu/Play"),
                   "Button")["clicks"]
            .number;
    };
    for (int click = 1; click <= 2; ++click) {
        for (const char* command : {"move -300 0", "down mouse_left", "up mouse_left"}) {
            EXPECT_EQ(pilot.Ask(command), "ok");
        }
        Step(pilot, 3);
        EXPECT_EQ(clicks(), click);
    }
}

// A down and an up before a step are a quick click, here on a button that quits the game:
// the step is cut short and says so, and only commands that need no frame still work.
TEST_F(ControlTest, AQuickClickThatQuitsTheGameEndsTheStepEarly) {
    work.Write("assets/scenes/quit.scene",
               "Entity\tMenu\n\tt\t0,0\n\tr\t0\n\ts\t1,1\n\tCanvas\n\t\trenderMode\tScreenSpace\n"
               "\tEntity\tQuit\n\t\tt\t0,0\n\t\tr\t0\n\t\ts\t1,1\n"
               "\t\tRectCollider\n\t\t\tw\t200\n\t\t\th\t80\n\t\tButton\n\t\tQuitGame\n"
               "Entity\tbuttonsoundplayer\n\tt\t0,0\n\tr\t0\n\ts\t1,1\n\tAudioSource\n");
    PilotProcess pilot({"--assets", assets, "--scene", "scenes/quit"}, work.Path(), errors);
    EXPECT_EQ(Step(pilot, 2)["running"].boolean, true) << "no click yet";
    for (const char* command : {"move 0 0", "down mouse_left", "up mouse_left"}) {
        EXPECT_EQ(pilot.Ask(command), "ok");
    }
    const Json last = Step(pilot, 10);
    EXPECT_FALSE(last["running"].boolean);
    EXPECT_EQ(last["frame"].number, 3);
    EXPECT_EQ(last["colliders"][0]["name"].text, "Quit");
    EXPECT_EQ(pilot.Ask("step 1"), "error: the game has ended");
    EXPECT_EQ(Json::Parse(pilot.Ask("observe"))["frame"].number, 3);
    EXPECT_EQ(pilot.Ask("quit"), "ok");
    EXPECT_EQ(pilot.Wait(), 0);
}

TEST_F(ControlTest, HelpListsTheControlOptionAndScriptedOptionsAreRefusedWithIt) {
    EXPECT_NE(TestSupport::RunVelaRun("--help", work.Path()).output.find("--control"),
              std::string::npos);
    const TestSupport::RunResult both =
        TestSupport::RunVelaRun("--control --frames 3", work.Path());
    EXPECT_EQ(both.status, 2);
    EXPECT_NE(both.output.find("--control takes input"), std::string::npos) << both.output;
}

}  // namespace
