#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/EBImageFile.h"
#include "support/Json.h"
#include "support/TempFolder.h"
#include "support/VelaRunProcess.h"

using TestSupport::Json;

namespace {

using TestSupport::ReadJson;
using TestSupport::RunResult;
using TestSupport::RunVelaRun;

// The first component of the given type on the entity at `path`.
const Json& ComponentOf(const Json& dump, const std::string& path, const std::string& type) {
    return TestSupport::ComponentOf(TestSupport::EntityAt(dump, path), type);
}

const std::string kFixtureAssets = FLEETWING_SOURCE_DIR "/tests/tools/vela-run/data";

struct RenderRun : testing::Test {
    TestSupport::TempFolder work;
    std::string Out(const std::string& name) const { return work.Path() + "/" + name; }
};

TEST_F(RenderRun, ScriptedClicksReachTheButtonUnderTheCursor) {
    // Play; then where Back lies over Quit; then nowhere; then Quit's uncovered half.
    const std::string input = work.Write("clicks.txt",
                                         "2\tmove\t-300\t0\n3\tdown\tmouse_left\n"
                                         "4\tup\tmouse_left\n"
                                         "5\tmove\t380\t10\n6\tdown\tmouse_left\n"
                                         "7\tup\tmouse_left\n"
                                         "8\tmove\t0\t300\n9\tdown\tmouse_left\n"
                                         "10\tup\tmouse_left\n"
                                         "11\tmove\t230\t-30\n12\tdown\tmouse_left\n"
                                         "13\tmove\t-300\t0\n");
    const RunResult result =
        RunVelaRun("--assets " + kFixtureAssets + " --scene scenes/buttons --frames 14 --input " +
                       input + " --dump-at 3:" + Out("three.json") + " --dump " + Out("end.json"),
                   work.Path());
    ASSERT_EQ(result.status, 0) << result.output;

    const Json three = ReadJson(Out("three.json"));
    EXPECT_EQ(ComponentOf(three, "Menu/Play", "Button")["clicks"].number, 1);
    EXPECT_TRUE(ComponentOf(three, "Menu/Play", "Button")["collider"].boolean);

    // Back lies over Quit and takes that click alone; holding the button down while moving
    // onto Play is not a new click.
    const Json end = ReadJson(Out("end.json"));
    EXPECT_EQ(ComponentOf(end, "Menu/Play", "Button")["clicks"].number, 1);
    EXPECT_EQ(ComponentOf(end, "Menu/Quit", "Button")["clicks"].number, 1);
    EXPECT_EQ(ComponentOf(end, "Menu/Back", "Button")["clicks"].number, 1);
}

TEST_F(RenderRun, DumpAndScreenshotShowTheImages) {
    std::vector<unsigned char> rgba(4 * 4 * 4, 255);
    for (std::size_t i = 0; i < rgba.size(); i += 4) {
        rgba[i] = 40;  // (40, 160, 255)
        rgba[i + 1] = 160;
    }
    work.Write("assets/sprites/tile.png", "");
    const std::string sprite = Out("assets/sprites/tile.png");
    ASSERT_TRUE(EBImageSavePNG(sprite.c_str(), rgba.data(), 4, 4));
    work.Write("assets/scenes/pictures.scene",
               "Entity\tTile\n\tt\t-400,200\n\tr\t0\n\ts\t1,1\n"
               "\tImage\n\t\tSprite\tsprites/tile\n\t\tw\t64\n\t\th\t32\n"
               "\t\ttint\t1,0.5,1,1\n\t\tflipY\ttrue\n"
               "Entity\tSheet\n\tt\t0,0\n\tr\t0\n\ts\t1,1\n"
               "\tAnimatedImage\n\t\tSprite\tsprites/tile\n\t\tcols\t2\n\t\trows\t2\n"
               "\t\tinitialFrame\t3\n\t\tw\t10\n\t\th\t10\n"
               "\tParticleSystem\n");
    const RunResult result =
        RunVelaRun("--assets " + Out("assets") + " --scene scenes/pictures --frames 2 --dump " +
                       Out("end.json") + " --screenshot 2:" + Out("two.png"),
                   work.Path());
    ASSERT_EQ(result.status, 0) << result.output;

    const Json end = ReadJson(Out("end.json"));
    const Json& image = ComponentOf(end, "Tile", "Image");
    EXPECT_EQ(image["sprite"].text, sprite);
    EXPECT_EQ(image["w"].number, 64);
    EXPECT_EQ(image["tint"][1].number, 0.5);
    EXPECT_FALSE(image["flipX"].boolean);
    EXPECT_TRUE(image["flipY"].boolean);
    const Json& sheet = ComponentOf(end, "Sheet", "AnimatedImage");
    EXPECT_EQ(sheet["frame"].number, 3);
    EXPECT_EQ(sheet["cols"].number, 2);
    EXPECT_EQ(ComponentOf(end, "Sheet", "ParticleSystem")["particles"].number, 0);

    std::vector<unsigned char> pixels;
    int width = 0, height = 0;
    ASSERT_TRUE(EBImageLoadPNG(Out("two.png").c_str(), pixels, width, height));
    ASSERT_EQ(width, 1600);
    ASSERT_EQ(height, 900);
    // Screen (-400, 200) is the pixel (400, 250); the tint halves green.
    const unsigned char* p = &pixels[(250u * 1600u + 400u) * 4u];
    EXPECT_NEAR(p[0], 40, 3);
    EXPECT_NEAR(p[1], 80, 3);
    EXPECT_NEAR(p[2], 255, 3);
}

}  // namespace
