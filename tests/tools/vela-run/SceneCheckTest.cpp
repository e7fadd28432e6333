#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/TempFolder.h"
#include "support/VelaRunProcess.h"
#include "tools/vela-run/RunOptions.h"

// `vela-run --check` reads a whole scene, past its first problem, and names every problem's
// file and line; a scene, sprite or sound named in a field must exist.

namespace {

namespace fs = std::filesystem;
using TestSupport::RunResult;

// An asset folder with one picture, one sound and the given scenes.
struct Assets {
    Assets() {
        fs::create_directories(folder.File("sprites"));
        fs::create_directories(folder.File("sounds"));
        fs::copy_file(FLEETWING_SOURCE_DIR "/assets/sprites/centercursor.png",
                      folder.File("sprites/dot.png"));
        fs::copy_file(FLEETWING_SOURCE_DIR "/assets/sounds/sfx/menu.mp3",
                      folder.File("sounds/hum.mp3"));
    }
    RunResult Check(const std::string& scenes) const {
        return TestSupport::RunVelaRun("--assets " + folder.Path() + " --check " + scenes,
                                       home.Path());
    }
    std::string Scene(const std::string& name) const {
        return folder.Path() + "/scenes/" + name + ".scene";
    }
    TestSupport::TempFolder folder;
    TestSupport::TempFolder home;
};

// The report's problem lines: those that name a file of the folder.
std::vector<std::string> ProblemLines(const std::string& output, const std::string& folder) {
    std::vector<std::string> lines;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(folder + "/", 0) == 0) {
            lines.push_back(line);
        }
    }
    return lines;
}

constexpr const char* kGoodScene =
    "/ one of everything a scene names\n"
    "Entity\tPanel\n"
    "\tt\t0,0\n"
    "\tr\t0\n"
    "\ts\t1,1\n"
    "\tImage\n"
    "\t\tSprite\tsprites/dot\n"
    "\tAudioSource\n"
    "\t\taudioClip\tsounds/hum\n"
    "\tLinkPlay\n"
    "\t\tsceneName\tscenes/good\n";

TEST(SceneCheck, AGoodSceneHasNoProblemAndEndsWithZero) {
    Assets assets;
    assets.folder.Write("scenes/good.scene", kGoodScene);
    const RunResult result = assets.Check("");
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_TRUE(ProblemLines(result.output, assets.folder.Path()).empty()) << result.output;
    EXPECT_NE(result.output.find("vela-run: checked 1 scene, 0 problems"), std::string::npos)
        << result.output;
}

TEST(SceneCheck, EveryProblemOfAFileIsReportedWithItsLineAndTheRestStillRead) {
    Assets assets;
    assets.folder.Write("scenes/good.scene", kGoodScene);
    assets.folder.Write("scenes/broken.scene",
                        "Entity\tA\n"                      // 1
                        "\tt\t0,0\n"                       // 2
                        "\tr\t0\n"                         // 3
                        "\ts\t1,1\n"                       // 4
                        "\tImag\n"                         // 5: no such component
                        "\t\tSprite\tsprites/dot\n"        // 6: its field, not a component
                        "\tImage\n"                        // 7: a sprite with no file
                        "\t\tSprite\tsprites/missing\n"    // 8
                        "\t\n"                             // 9: tabs only
                        "\tLinkPlay\n"                     // 10: a link to no scene
                        "\t\tsceneName\tscenes/nowhere\n"  // 11
                        "Entity\tB\n"                      // 12
                        "\tt\t0,0\n"                       // 13
                        "\tr\t0\n"                         // 14
                        "\ts\t1,1\n"                       // 15
                        "\tAudioSource\n"                  // 16: a sound with no file
                        "\t\taudioClip\tsounds/silence\n"  // 17
                        "\tLinkPlay\n"                     // 18: a good link after all that
                        "\t\tsceneName\tscenes/good\n");   // 19
    const RunResult result = assets.Check("scenes/broken");
    EXPECT_EQ(result.status, 1) << result.output;
    const std::string file = assets.Scene("broken");
    const std::vector<std::string> expected = {
        file + ":5: Component Imag not found",
        file + ":7: field Sprite names the sprite sprites/missing, but there is no file " +
            assets.folder.Path() + "/sprites/missing.png",
        file + ":9: A scene line holds only tabs: it needs an entity, a component or a field",
        file + ":10: field sceneName names the scene scenes/nowhere, but there is no file " +
            assets.folder.Path() + "/scenes/nowhere.scene",
        file + ":16: field audioClip names the sound sounds/silence, but there is no file " +
            assets.folder.Path() + "/sounds/silence.mp3",
    };
    EXPECT_EQ(ProblemLines(result.output, assets.folder.Path()), expected) << result.output;
    EXPECT_NE(result.output.find("vela-run: checked 1 scene, 5 problems"), std::string::npos);
}

TEST(SceneCheck, BadValuesAndMisplacedLinesAreReportedInEachSceneOfTheFolder) {
    Assets assets;
    assets.folder.Write("scenes/good.scene", kGoodScene);
    assets.folder.Write("scenes/levels/values.scene",
                        "Entity\tA\n"                     // 1
                        "\tt\t5\n"                        // 2: one number for a vector
                        "\tr\t0\n"                        // 3
                        "\ts\t1,1\n"                      // 4
                        "\tCircleCollider\n"              // 5
                        "\t\tradius\t10\n"                // 6
                        "Image\n"                         // 7: belongs to no entity
                        "\tSprite\tsprites/dot\n"         // 8: its field, passed over
                        "Entity\tB\n"                     // 9
                        "\tt\t0,0\n"                      // 10
                        "\tr\t0\n"                        // 11
                        "\ts\t1,1\n"                      // 12
                        "\tLinkPlay\n"                    // 13
                        "\t\tsceneName\tscenes/gone\n");  // 14
    const RunResult result = assets.Check("");
    EXPECT_EQ(result.status, 1) << result.output;
    const std::vector<std::string> lines = ProblemLines(result.output, assets.folder.Path());
    const std::string file = assets.Scene("levels/values");
    ASSERT_EQ(lines.size(), 3u) << result.output;
    EXPECT_EQ(lines[0].rfind(file + ":1: ", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind(file + ":7: The component line \"Image\" belongs to no entity", 0), 0u)
        << lines[1];
    EXPECT_EQ(lines[2].rfind(file + ":13: field sceneName names the scene scenes/gone", 0), 0u)
        << lines[2];
    EXPECT_NE(result.output.find("vela-run: checked 2 scenes, 3 problems"), std::string::npos);
}

TEST(SceneCheck, AnEntityPathIsResolvedInItsSceneAndOneToNothingIsAProblem) {
    Assets assets;
    assets.folder.Write("scenes/paths.scene",
                        "Entity\tCamera\n"                // 1
                        "\tt\t0,0\n"                      // 2
                        "\tr\t0\n"                        // 3
                        "\ts\t1,1\n"                      // 4
                        "\tFollowPlane\n"                 // 5: follows an entity below
                        "\t\tplaneFinder\tWorld/Plane\n"  // 6
                        "\tFollowPlane\n"                 // 7: a name no entity has
                        "\t\tplaneFinder\tWorld/Plain\n"  // 8
                        "Entity\tWorld\n"                 // 9
                        "\tt\t0,0\n"                      // 10
                        "\tr\t0\n"                        // 11
                        "\ts\t1,1\n"                      // 12
                        "\tEntity\tPlane\n"               // 13
                        "\t\tt\t0,0\n"                    // 14
                        "\t\tr\t0\n"                      // 15
                        "\t\ts\t1,1\n");                  // 16
    const RunResult result = assets.Check("scenes/paths");
    EXPECT_EQ(result.status, 1) << result.output;
    const std::vector<std::string> expected = {
        assets.Scene("paths") + ":7: the entity path World/Plain names no entity of the scene"};
    EXPECT_EQ(ProblemLines(result.output, assets.folder.Path()), expected) << result.output;
}

TEST(SceneCheck, ASceneNamedThatHasNoFileIsAProblemOfItsOwn) {
    Assets assets;
    assets.folder.Write("scenes/good.scene", kGoodScene);
    const RunResult result = assets.Check("scenes/good scenes/absent");
    EXPECT_EQ(result.status, 1) << result.output;
    const std::vector<std::string> expected = {assets.Scene("absent") +
                                               ": Failed to load Scene scenes/absent"};
    EXPECT_EQ(ProblemLines(result.output, assets.folder.Path()), expected) << result.output;
}

TEST(SceneCheck, TheCommandLineTakesTheScenesUpToTheNextOptionAndNothingThatRunsAScene) {
    const char* const named[] = {"vela-run", "--check", "scenes/a", "scenes/b", "--assets", "x"};
    VelaRun::RunOptions options;
    std::string error;
    ASSERT_TRUE(VelaRun::ParseOptions(6, named, options, error)) << error;
    EXPECT_TRUE(options.check);
    EXPECT_EQ(options.checkScenes, (std::vector<std::string>{"scenes/a", "scenes/b"}));
    EXPECT_EQ(options.assets, "x");

    const char* const all[] = {"vela-run", "--assets", "x", "--check"};
    VelaRun::RunOptions every;
    ASSERT_TRUE(VelaRun::ParseOptions(4, all, every, error)) << error;
    EXPECT_TRUE(every.check);
    EXPECT_TRUE(every.checkScenes.empty());

    for (const char* other : {"--frames", "--scene", "--watch", "--control", "--window"}) {
        const char* const mixed[] = {"vela-run", "--check", other, "3"};
        const int count =
            std::string(other) == "--frames" || std::string(other) == "--scene" ? 4 : 3;
        VelaRun::RunOptions refused;
        EXPECT_FALSE(VelaRun::ParseOptions(count, mixed, refused, error)) << other;
    }
}

}  // namespace
