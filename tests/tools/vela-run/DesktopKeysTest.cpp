// The desktop's keys and focus through the headless runner's scripted input and its pilot
// protocol, in the game's own scenes: F11 switches full screen in a menu and in a level and
// remembers the choice; a lost focus opens the level's pause window.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "support/PilotProcess.h"
#include "support/TempFolder.h"
#include "support/VelaRunProcess.h"

namespace {

using TestSupport::ComponentOf;
using TestSupport::EntityAt;
using TestSupport::Json;
using TestSupport::ReadJson;
using TestSupport::ReadRecords;
using TestSupport::RunResult;
using TestSupport::RunVelaRun;

const std::string kAssets = FLEETWING_SOURCE_DIR "/assets";

struct DesktopKeys : testing::Test {
    TestSupport::TempFolder work;

    RunResult Run(const std::string& arguments) {
        RunResult result =
            RunVelaRun("--assets " + kAssets + " " + arguments, work.Path(), "GALLIUM_NOOP=1");
        EXPECT_EQ(result.status, 0) << result.output;
        return result;
    }
    static std::string SpriteOf(const Json& dump, const std::string& path) {
        return ComponentOf(EntityAt(dump, path), "Image")["sprite"].text;
    }
    // The window in view and the game's time standing still.
    static bool PauseWindowShown(const Json& dump) {
        const Json& position = EntityAt(dump, "HUD/OptionsWindow")["position"];
        return position[0].number == 0 && position[1].number == 0 && dump["paused"].boolean;
    }
};

// The options screen starts windowed: F11 turns full screen on, its button shows it and the
// records keep it; then in level 1, F11 turns it off again, with the level running on.
TEST_F(DesktopKeys, F11SwitchesFullScreenInAMenuAndInALevelAndTheRecordsKeepIt) {
    const std::string press = work.Write("f11.txt", "5\tdown\tf11\n6\tup\tf11\n");
    const std::string none = work.Write("none.txt", "");
    Run("--play scenes/options:" + none + ":4 --play scenes/options:" + press +
        ":10 --play scenes/level1:" + press + ":10 --leg-dump " + work.File("leg"));
    EXPECT_TRUE(SpriteOf(ReadJson(work.File("leg1.json")), "UI/FullscreenButton")
                    .ends_with("sprites/buttons/fullscreenoff.png"));
    EXPECT_TRUE(SpriteOf(ReadJson(work.File("leg2.json")), "UI/FullscreenButton")
                    .ends_with("sprites/buttons/fullscreenon.png"))
        << "the button follows the key";
    EXPECT_FALSE(PauseWindowShown(ReadJson(work.File("leg3.json"))));
    EXPECT_EQ(ReadRecords(work.Path()).at("fullScreen"), "f");

    // A key held down switches once; the records keep the last choice.
    const std::string held = work.Write("held.txt", "3\tdown\tf11\n");
    Run("--scene scenes/menu --frames 20 --input " + held);
    EXPECT_EQ(ReadRecords(work.Path()).at("fullScreen"), "t");
}

// Focus lost in level 1 opens the pause window; in the main menu it changes nothing there.
TEST_F(DesktopKeys, AScriptedFocusLossOpensThePauseWindowOfALevelOnly) {
    const std::string script = work.Write("away.txt", "30\tfocus\t0\n40\tfocus\t1\n");
    Run("--scene scenes/level1 --frames 60 --input " + script +
        " --dump-at 29:" + work.File("before.json") + " --dump " + work.File("after.json"));
    EXPECT_FALSE(PauseWindowShown(ReadJson(work.File("before.json"))));
    EXPECT_TRUE(PauseWindowShown(ReadJson(work.File("after.json"))))
        << "still paused after the focus came back";

    Run("--scene scenes/menu --frames 60 --input " + script + " --dump " + work.File("menu.json"));
    EXPECT_FALSE(ReadJson(work.File("menu.json"))["paused"].boolean);
}

// The pilot protocol's "focus" command does the same, and a malformed one is refused.
TEST_F(DesktopKeys, ThePilotLosesTheFocusWithACommand) {
    TestSupport::PilotProcess pilot({"--assets", kAssets, "--scene", "scenes/level1"}, work.Path(),
                                    work.File("stderr.txt"));
    pilot.Ask("step 10");
    EXPECT_EQ(pilot.Ask("focus 2").rfind("error: 'focus' needs 0", 0), 0u);
    EXPECT_EQ(pilot.Ask("focus 0"), "ok");
    pilot.Ask("step 1");
    EXPECT_EQ(pilot.Ask("dump " + work.File("pilot.json")), "ok");
    EXPECT_TRUE(PauseWindowShown(ReadJson(work.File("pilot.json"))));
    EXPECT_EQ(pilot.Ask("quit"), "ok");
}

}  // namespace
