// What the screens' texts show, read through vela-run dumps: the level selection's progress,
// the skin names, and a level's HUD. The HUD runs are of level 1 without mouse input: the
// plane waits out the six-second countdown (360 frames at 60 per second), then falls. The
// flight's time starts when the countdown ends and leaves out every pause, whether the pause
// falls in the countdown or in the flight.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "content/ContentRun.h"
#include "game/TimeText.h"
#include "support/TempFolder.h"

using ContentRun::Named;
using TestSupport::Json;

namespace {

constexpr double kFrame = 1.0 / 60.0;

struct HudView {
    double flightTime = -1.0;
    std::string shownTime;
    std::string level;
    double starAlpha = -1.0;
};

// "m:ss.cc" back to seconds.
double ShownSeconds(const std::string& shown) {
    const std::size_t colon = shown.find(':');
    if (colon == std::string::npos) {
        return -1.0;
    }
    return std::stod(shown.substr(0, colon)) * 60.0 + std::stod(shown.substr(colon + 1));
}

// Level 1 for `frames` frames with Escape pressed at each of `escapes`.
HudView RunLevel1(const TestSupport::TempFolder& home, unsigned frames,
                  const std::vector<unsigned>& escapes) {
    std::string script = "# Escape presses only\n";
    for (unsigned frame : escapes) {
        script += std::to_string(frame) + "\tdown\tescape\n" + std::to_string(frame + 1) +
                  "\tup\tescape\n";
    }
    const std::string name = "run" + std::to_string(frames);
    const std::string input = home.Write(name + ".input", script);
    const std::string dump = home.File(name + ".json");
    const ContentRun::RunResult run =
        ContentRun::RunGame("--scene scenes/level1 --input " + input + " --frames " +
                                std::to_string(frames) + " --dump " + dump,
                            home.Path());
    EXPECT_EQ(run.status, 0) << run.output;
    const Json state = TestSupport::ReadJson(dump);
    HudView view;
    view.flightTime =
        TestSupport::ComponentOf(Named(state, "GameManager"), "GameManager")["flightTime"].number;
    view.shownTime = TestSupport::ComponentOf(Named(state, "HudTime"), "Text")["text"].text;
    view.level = TestSupport::ComponentOf(Named(state, "HudLevel"), "Text")["text"].text;
    view.starAlpha = TestSupport::ComponentOf(Named(state, "HudStar1"), "Image")["tint"][3].number;
    return view;
}

TEST(Hud, TheTimerRunsFromTheEndOfTheCountdownAndLeavesOutEveryPause) {
    TestSupport::TempFolder home;
    const struct {
        const char* what;
        unsigned frames;
        std::vector<unsigned> escapes;
        // Frames of flight the timer shows, give or take two: the game manager, which keeps
        // the time, updates before the plane and sees the countdown's end a frame late.
        double flown;
    } runs[] = {
        {"in the countdown", 200, {}, 0},
        {"20 frames after it", 380, {}, 20},
        {"after a pause of 60 frames in the countdown", 440, {100, 160}, 20},
        {"after a pause of 30 frames in the flight", 410, {365, 395}, 20},
        {"while paused since 10 frames after it", 400, {370}, 10},
    };
    std::vector<double> flown;
    for (const auto& run : runs) {
        SCOPED_TRACE(run.what);
        const HudView view = RunLevel1(home, run.frames, run.escapes);
        flown.push_back(view.flightTime);
        EXPECT_NEAR(view.flightTime, run.flown * kFrame, 2.01 * kFrame);
        // The HUD shows the time of its own update, the dump is taken at the frame's end.
        EXPECT_NEAR(ShownSeconds(view.shownTime), view.flightTime, kFrame + 0.006)
            << view.shownTime;
        EXPECT_EQ(view.level.rfind("Level 1: ", 0), 0u) << view.level;
        EXPECT_GT(view.level.size(), std::string("Level 1: ").size()) << "the level has a name";
        EXPECT_LT(view.starAlpha, 1.0) << "no star found, so none is lit";
    }
    // The same twenty frames of flight, whatever pauses came before or between them.
    EXPECT_NEAR(flown[2], flown[1], 1e-4);
    EXPECT_NEAR(flown[3], flown[1], 1e-4);
    EXPECT_EQ(flown[0], 0.0);
}

TEST(Hud, FlightTimesReadAsMinutesSecondsAndHundredths) {
    EXPECT_EQ(Game::FormatFlightTime(0.0f), "0:00.00");
    EXPECT_EQ(Game::FormatFlightTime(7.25f), "0:07.25");
    EXPECT_EQ(Game::FormatFlightTime(59.999f), "1:00.00");
    EXPECT_EQ(Game::FormatFlightTime(65.2f), "1:05.20");
    EXPECT_EQ(Game::FormatFlightTime(-3.0f), "0:00.00");
    EXPECT_EQ(Game::FormatFlightTime(std::numeric_limits<float>::quiet_NaN()), "0:00.00");
}

}  // namespace

namespace {

const Json& TextComponent(const Json& dump, const std::string& entity) {
    return TestSupport::ComponentOf(Named(dump, entity), "Text");
}

// vela-run over `scene` with that record file and input script; returns the dump.
Json RunMenu(const TestSupport::TempFolder& home, const std::string& scene,
             const std::string& records, const std::string& script, unsigned frames) {
    home.Write("VelaEngine/data/records/Fleetwing.record", records);
    const std::string input = home.Write("menu.input", "# menu clicks\n" + script);
    const std::string dump = home.File("menu.json");
    const ContentRun::RunResult run =
        ContentRun::RunGame("--scene " + scene + " --input " + input + " --frames " +
                                std::to_string(frames) + " --dump " + dump,
                            home.Path());
    EXPECT_EQ(run.status, 0) << run.output;
    return TestSupport::ReadJson(dump);
}

}  // namespace

// Level 1 won before best times were kept (level 2 is open), level 2 with a best time, level 3
// not yet: only the first two carry the tick, and a click on level 3's padlock shakes it and
// plays the refusal.
TEST(LevelProgress, FinishedLevelsShowATickAndTheirBestAndALockedOneRefusesAClick) {
    TestSupport::TempFolder home;
    const Json dump =
        RunMenu(home, "scenes/levelselect", "highestLevelUnlocked\t3\nbestTime2\t21.080000",
                "1\tmove\t150\t-150\n5\tdown\tmouse_left\n6\tup\tmouse_left\n", 9);
    EXPECT_EQ(TextComponent(dump, "Level1Progress")["text"].text, "Finished");
    EXPECT_EQ(TextComponent(dump, "Level2Progress")["text"].text, "0:21.08");
    EXPECT_EQ(TextComponent(dump, "Level3Progress")["text"].text, "");
    EXPECT_NE(TestSupport::FindEntity(dump, "Level1Done"), nullptr);
    EXPECT_NE(TestSupport::FindEntity(dump, "Level2Done"), nullptr);
    EXPECT_EQ(TestSupport::FindEntity(dump, "Level3Done"), nullptr);
    // Level 7's padlock sits at (150, -150): shaken sideways only, with the refusal sound.
    const Json& lock = Named(dump, "Level7Place");
    EXPECT_NE(lock["position"][0].number, 150.0);
    EXPECT_NEAR(lock["position"][0].number, 150.0, 9.0);
    EXPECT_EQ(lock["position"][1].number, -150.0);
    EXPECT_EQ(TestSupport::ComponentOf(lock, "AudioSource")["clip"].text, "sounds/sfx/refuse");
    EXPECT_TRUE(ContentRun::IsAt(Named(dump, "Level6Place"), -150, -150)) << "the others rest";
}

// The skins screen names the skin shown and counts it among the four, after a step back from
// the first wraps to the last.
TEST(SkinCaption, NamesTheSkinShownAndItsPlaceAmongTheFour) {
    TestSupport::TempFolder home;
    Json dump = RunMenu(home, "scenes/skins", "planeSkin\t2", "", 5);
    EXPECT_EQ(TextComponent(dump, "SkinName")["text"].text, "Racer");
    EXPECT_EQ(TextComponent(dump, "SkinCount")["text"].text, "2 / 4");
    dump = RunMenu(home, "scenes/skins", "planeSkin\t1",
                   "1\tmove\t-260\t60\n3\tdown\tmouse_left\n4\tup\tmouse_left\n", 6);
    EXPECT_EQ(TextComponent(dump, "SkinName")["text"].text, "Hornet");
    EXPECT_EQ(TextComponent(dump, "SkinCount")["text"].text, "4 / 4");
}
