#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "platform/EBImageFile.h"
#include "support/TempFolder.h"
#include "support/VelaRunProcess.h"

namespace {

using TestSupport::ComponentOf;
using TestSupport::EntityAt;
using TestSupport::Json;
using TestSupport::ReadJson;
using TestSupport::RunResult;
using TestSupport::RunVelaRun;

const std::string kFixtureAssets = FLEETWING_SOURCE_DIR "/tests/tools/vela-run/data";

struct VelaRunTest : testing::Test {
    TestSupport::TempFolder work;
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
    const std::string log = Run("--frames 4 --input " + input + " --dump " + work.File("end.json") +
                                " --dump-at 2:" + work.File("two.json"));
    EXPECT_NE(log.find("LOG: Quitting game loop"), std::string::npos);

    const Json two = ReadJson(work.File("two.json"));
    EXPECT_EQ(two["frame"].number, 2);
    EXPECT_EQ(two["cursor"][0].number, 100);
    EXPECT_EQ(two["cursor"][1].number, -50);

    const Json end = ReadJson(work.File("end.json"));
    EXPECT_EQ(end["frame"].number, 4);
    EXPECT_EQ(end["scene"].text, "scenes/fixture");
    EXPECT_EQ(end["timeScale"].number, 1);
    EXPECT_EQ(end["cursor"][0].number, -200);
    const Json& entities = end["entities"];
    std::vector<std::string> paths;
    for (const Json& entity : entities.items) {
        paths.push_back(entity["path"].text);
    }
    ASSERT_EQ(paths, (std::vector<std::string>{"Base", "Base/Arm", "Base/Arm/Hand", "Loose"}));
    EXPECT_EQ(entities[0]["tags"][0].text, "ground");
    EXPECT_EQ(entities[0]["components"][0]["type"].text, "Transform");
    // Hand: (5, 0) scaled by Arm's 2 and moved 10 along x is (20, 0) in Base, which turns it
    // a quarter to (0, 20) and moves it to (100, -30).
    EXPECT_NEAR(entities[2]["world"][0].number, 100.0, 1e-3);
    EXPECT_NEAR(entities[2]["world"][1].number, -30.0, 1e-3);
    EXPECT_EQ(entities[3]["position"][0].number, -20);
}

TEST_F(VelaRunTest, HelpAndErrorsInOptionsOrInputStopBeforeTheEngineStarts) {
    RunResult help = RunVelaRun("--help", work.Path());
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("--dump-at N:FILE"), std::string::npos);
    RunResult bad = RunVelaRun("--frames none", work.Path());
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.output.find("Usage: vela-run"), std::string::npos);
    const std::string input = work.Write("bad.txt", "1\tmove\t0\t0\n\n2\tpress\tp\n");
    const std::string output = Run("--frames 2 --input " + input, 2);
    EXPECT_NE(output.find(input + ":3: unknown command 'press'"), std::string::npos) << output;
    EXPECT_EQ(output.find("Ember Engine"), std::string::npos) << output;
}

// How often Play of the buttons fixture was clicked in the dump in `file`.
double PlayClicks(const std::string& file) {
    return ComponentOf(EntityAt(ReadJson(file), "Menu/Play"), "Button")["clicks"].number;
}

TEST_F(VelaRunTest, PlayedLegsRunBackToBackEachStartingAfresh) {
    // Leg 1 ends with the button held over Play. Leg 2 presses it on its first frame, which is
    // a click only if the leg began with every key up, as a fresh process does. Leg 3 presses
    // it on its own third frame, not the run's.
    const std::string hold = work.Write("hold.txt", "1\tmove\t-300\t0\n2\tdown\tmouse_left\n");
    const std::string now = work.Write("now.txt", "1\tmove\t-300\t0\n1\tdown\tmouse_left\n");
    const std::string later = work.Write("later.txt", "1\tmove\t-300\t0\n3\tdown\tmouse_left\n");
    RunResult result =
        RunVelaRun("--assets " + kFixtureAssets + " --play scenes/buttons:" + hold +
                       ":3 --play scenes/buttons:" + now + ":1 --play scenes/buttons:" + later +
                       ":3 --play scenes/fixture::1 --leg-dump " + work.File("leg") +
                       " --rss-log " + work.File("rss.log") +
                       " --dump-at 6:" + work.File("six.json") + " --dump " + work.File("end.json"),
                   work.Path());
    ASSERT_EQ(result.status, 0) << result.output;

    EXPECT_EQ(ReadJson(work.File("leg1.json"))["frame"].number, 3);
    EXPECT_EQ(PlayClicks(work.File("leg1.json")), 1);
    EXPECT_EQ(PlayClicks(work.File("leg2.json")), 1);
    // The run's frame 6 is leg 3's second: a rebuilt scene, the press not yet due.
    EXPECT_EQ(PlayClicks(work.File("six.json")), 0);
    EXPECT_EQ(PlayClicks(work.File("leg3.json")), 1);
    const Json leg4 = ReadJson(work.File("leg4.json"));
    EXPECT_EQ(leg4["scene"].text, "scenes/fixture");
    EXPECT_EQ(leg4["entities"].items.size(), 4u);
    EXPECT_EQ(ReadJson(work.File("end.json"))["frame"].number, 8);
    // One line per leg, "leg K SCENE rss_kb N", with over a megabyte resident.
    const std::string rss = TestSupport::ReadText(work.File("rss.log"));
    EXPECT_TRUE(
        std::regex_match(rss, std::regex("(leg [1-4] scenes/\\w+ rss_kb [1-9]\\d{3,}\n){4}")))
        << rss;
}

// A press and release within one frame, as a quick tap lands between two frames: the button
// hears it in that frame, and again for a second tap in the very next frame.
TEST_F(VelaRunTest, ADownAndUpInOneFrameIsAClickTheButtonAnswers) {
    const std::string taps = work.Write("taps.txt",
                                        "1\tmove\t-300\t0\n2\tdown\tmouse_left\n"
                                        "2\tup\tmouse_left\n3\tdown\tmouse_left\n"
                                        "3\tup\tmouse_left\n");
    RunResult result = RunVelaRun(
        "--assets " + kFixtureAssets + " --scene scenes/buttons" + " --frames 4 --input " + taps +
            " --dump-at 2:" + work.File("two.json") + " --dump " + work.File("end.json"),
        work.Path());
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(PlayClicks(work.File("two.json")), 1);
    EXPECT_EQ(PlayClicks(work.File("end.json")), 2);
}

TEST_F(VelaRunTest, DumpAndScreenshotShowTheImages) {
    std::vector<unsigned char> rgba;
    for (int pixel = 0; pixel < 4 * 4; ++pixel) {
        rgba.insert(rgba.end(), {40, 160, 255, 255});
    }
    const std::string sprite = work.Write("assets/sprites/tile.png", "");
    ASSERT_TRUE(EBImageSavePNG(sprite.c_str(), rgba.data(), 4, 4));
    work.Write("assets/scenes/pictures.scene",
               "Entity\tTile\n\tt\t-400,200\n\tr\t0\n\ts\t1,1\n"
               "\tImage\n\t\tSprite\tsprites/tile\n\t\tw\t64\n\t\th\t32\n"
               "\t\ttint\t1,0.5,1,1\n\t\tflipY\ttrue\n"
               "Entity\tSheet\n\tt\t0,0\n\tr\t0\n\ts\t1,1\n"
               "\tAnimatedImage\n\t\tSprite\tsprites/tile\n\t\tcols\t2\n\t\trows\t2\n"
               "\t\tinitialFrame\t3\n\t\tw\t10\n\t\th\t10\n"
               "\tParticleSystem\n");
    const RunResult result = RunVelaRun(
        "--assets " + work.File("assets") + " --scene scenes/pictures --frames 2 --dump " +
            work.File("end.json") + " --screenshot 2:" + work.File("two.png"),
        work.Path());
    ASSERT_EQ(result.status, 0) << result.output;

    const Json end = ReadJson(work.File("end.json"));
    const Json& image = ComponentOf(EntityAt(end, "Tile"), "Image");
    EXPECT_EQ(image["sprite"].text, sprite);
    EXPECT_EQ(image["tint"][1].number, 0.5);
    EXPECT_FALSE(image["flipX"].boolean);
    EXPECT_TRUE(image["flipY"].boolean);
    EXPECT_EQ(image["textureOffset"].number, 0) << "a picture shows unslid";
    EXPECT_EQ(ComponentOf(EntityAt(end, "Sheet"), "AnimatedImage")["frame"].number, 3);
    EXPECT_EQ(ComponentOf(EntityAt(end, "Sheet"), "ParticleSystem")["particles"].number, 0);

    std::vector<unsigned char> pixels;
    int width = 0, height = 0;
    ASSERT_TRUE(EBImageLoadPNG(work.File("two.png").c_str(), pixels, width, height));
    ASSERT_EQ(width, 1600);
    ASSERT_EQ(height, 900);
    // Screen (-400, 200) is the pixel (400, 250); the tint halves green.
    const unsigned char* p = &pixels[(250u * 1600u + 400u) * 4u];
    EXPECT_NEAR(p[0], 40, 3);
    EXPECT_NEAR(p[1], 80, 3);
    EXPECT_NEAR(p[2], 255, 3);
}

// A folder reads as nothing and a device never ends: neither is a script.
TEST_F(VelaRunTest, AnInputThatIsAFolderOrADeviceIsRefusedBeforeTheEngineStarts) {
    const std::string folder = work.File("scripts");
    work.Write("scripts/inside.txt", "");
    for (const std::string& input : {folder, std::string("/dev/zero")}) {
        const std::string output = Run("--frames 2 --input " + input, 2);
        EXPECT_NE(output.find("vela-run: cannot read input file " + input +
                              ": not a regular file or pipe"),
                  std::string::npos)
            << output;
        EXPECT_EQ(output.find("Ember Engine"), std::string::npos) << output;
    }
    const RunResult leg = RunVelaRun(
        "--assets " + kFixtureAssets + " --play scenes/fixture:/dev/zero:2", work.Path());
    EXPECT_EQ(leg.status, 2) << leg.output;
    EXPECT_NE(leg.output.find("input file /dev/zero: not a regular file"), std::string::npos)
        << leg.output;
}

// The game quits on the click of frame 2, before the frames some pictures were asked for.
TEST_F(VelaRunTest, AGameThatEndsBeforeAFrameAskedForSaysSoAndFails) {
    work.Write("assets/scenes/quit.scene",
               "Entity\tMenu\n\tt\t0,0\n\tr\t0\n\ts\t1,1\n\tCanvas\n\t\trenderMode\tScreenSpace\n"
               "\tEntity\tQuit\n\t\tt\t0,0\n\t\tr\t0\n\t\ts\t1,1\n"
               "\t\tRectCollider\n\t\t\tw\t200\n\t\t\th\t80\n\t\tButton\n\t\tQuitGame\n"
               "Entity\tbuttonsoundplayer\n\tt\t0,0\n\tr\t0\n\ts\t1,1\n\tAudioSource\n");
    const std::string click = work.Write("click.txt", "1\tmove\t0\t0\n2\tdown\tmouse_left\n");
    const std::string assets = "--assets " + work.File("assets");
    const RunResult single = RunVelaRun(assets + " --scene scenes/quit --input " + click +
                                            " --screenshot 2:" + work.File("two.png") +
                                            " --screenshot 5:" + work.File("five.png"),
                                        work.Path());
    EXPECT_EQ(single.status, 1) << single.output;
    EXPECT_NE(single.output.find("vela-run: the game ended at frame 2, before --screenshot frame "
                                 "5 (" +
                                 work.File("five.png") + ")"),
              std::string::npos)
        << single.output;
    EXPECT_TRUE(std::filesystem::exists(work.File("two.png"))) << "frames that ran are kept";

    const RunResult legs = RunVelaRun(
        assets + " --play scenes/quit:" + click + ":10 --dump-at 4:" + work.File("four.json"),
        work.Path());
    EXPECT_EQ(legs.status, 1) << legs.output;
    EXPECT_NE(legs.output.find("vela-run: the game ended at frame 2, before --dump-at frame 4"),
              std::string::npos)
        << legs.output;
}
