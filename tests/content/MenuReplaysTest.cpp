#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "content/ContentRun.h"
#include "support/TempFolder.h"

// The menus work by clicks alone: from the splash screens to level 1, and through the
// options (data reset, volume) and the skins, whose choice shows on the plane.

using TestSupport::Json;

namespace {

ContentRun::RunResult RunMenus(const std::string& script, const std::string& home,
                               const std::string& dumps) {
    const std::string input = ContentRun::kReplays + "/" + script;
    return ContentRun::RunGame("--scene scenes/splash --input " + input + " --frames " +
                                   std::to_string(ContentRun::FramesOf(input)) + " " + dumps,
                               home);
}

}  // namespace

TEST(MenuReplays, ClicksLeadFromTheSplashToLevelOne) {
    TestSupport::TempFolder home;
    const ContentRun::RunResult run =
        RunMenus("menus_to_level1.input", home.Path(), "--dump " + home.File("end.json"));
    ASSERT_EQ(run.status, 0) << run.output;
    const Json end = TestSupport::ReadJson(home.File("end.json"));
    EXPECT_EQ(end["scene"].text, "scenes/level1");
    // Without a saved volume the splash sets one half, and saves nothing.
    EXPECT_EQ(end["volume"].number, 0.5);
    EXPECT_FALSE(std::filesystem::exists(TestSupport::RecordPath(home.Path())));
    for (const char* scene : {"scenes/splash2", "scenes/menu", "scenes/levelselect"}) {
        EXPECT_NE(run.output.find(std::string("Requested to change to Scene: ") + scene),
                  std::string::npos)
            << scene;
    }
}

TEST(MenuReplays, ResetVolumeAndSkinReachTheRecordsAndThePlane) {
    TestSupport::TempFolder home;
    // Progress and settings from earlier games, which the reset must erase.
    home.Write("VelaEngine/data/records/Fleetwing.record",
               "highestLevelUnlocked\t5\nfoundstar2_1\tt\nplaneSkin\t2\nvolume\t0.800000");
    // Frame 112: the reset has been confirmed a few frames before.
    const ContentRun::RunResult run =
        RunMenus("menus_settings.input", home.Path(),
                 "--dump " + home.File("end.json") + " --dump-at 112:" + home.File("reset.json"));
    ASSERT_EQ(run.status, 0) << run.output;

    const Json reset = TestSupport::ReadJson(home.File("reset.json"));
    EXPECT_EQ(reset["scene"].text, "scenes/options");
    EXPECT_TRUE(ContentRun::IsAt(ContentRun::Named(reset, "DataResetWindow"), 0, 0));

    const Json end = TestSupport::ReadJson(home.File("end.json"));
    EXPECT_EQ(end["scene"].text, "scenes/level1");
    // The splash set the stored 0.8; two clicks took it down by 0.1 each.
    EXPECT_NEAR(end["volume"].number, 0.6, 1e-5);
    const std::string& sprite =
        TestSupport::ComponentOf(ContentRun::Named(end, "Airplane"), "Image")["sprite"].text;
    EXPECT_NE(sprite.find("sprites/gameplay/entities/ball3.png"), std::string::npos) << sprite;
    EXPECT_EQ(TestSupport::ReadRecords(home.Path()),
              (std::map<std::string, std::string>{{"planeSkin", "3"}, {"volume", "0.600000"}}));
}
