#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "content/ContentRun.h"
#include "support/TempFolder.h"

// Level 1 won twice in one home: the checked-in replay, then the same replay with the cursor
// held still for a moment after the countdown, which happens to fly faster. The first win
// leaves the level's ghost file; during the second the ghost stands, frame by frame, where the
// first flight's plane stood at the same flight time, under the live plane.

using ContentRun::Named;
using TestSupport::ComponentOf;
using TestSupport::Json;

namespace {

// Frames the cursor is held still after the countdown; the countdown itself ends at the same
// frame in both flights, so equal frames are equal flight times.
constexpr unsigned kHeldFrames = 10;
constexpr unsigned kFirstFreeFrame = 92;
const std::vector<unsigned> kCompared = {120, 300, 600, 900, 1150, 1240};
// A pause of one second from this frame on, for the third flight.
constexpr unsigned kPauseStart = 401;
constexpr unsigned kPauseFrames = 60;

using Commands = std::vector<std::pair<unsigned, std::string>>;

// The script's commands, each with its frame and the rest of its line.
Commands CommandsOf(const std::string& script) {
    std::istringstream in(script);
    Commands commands;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const std::size_t tab = line.find('\t');
        commands.emplace_back(static_cast<unsigned>(std::stoul(line.substr(0, tab))),
                              line.substr(tab));
    }
    return commands;
}

// The replay with every command from frame `from` on moved `by` frames later, and the
// commands of `extra` (lines of the same form) put in their frames.
std::string Delayed(const std::string& replay, unsigned from, unsigned by,
                    const std::string& extra = "") {
    Commands commands = CommandsOf(TestSupport::ReadText(replay));
    for (auto& command : commands) {
        command.first += command.first >= from ? by : 0;
    }
    const Commands added = CommandsOf(extra);
    commands.insert(commands.end(), added.begin(), added.end());
    std::stable_sort(commands.begin(), commands.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::string out;
    for (const auto& [frame, rest] : commands) {
        out += std::to_string(frame) + rest + "\n";
    }
    return out;
}

struct Flight {
    std::vector<Json> dumps;  // one per frame asked for
    Json end;
};

Flight Fly(const TestSupport::TempFolder& home, const std::string& name, const std::string& script,
           unsigned frames, const std::vector<unsigned>& dumped = kCompared) {
    std::string arguments = "--scene scenes/level1 --input " + script + " --frames " +
                            std::to_string(frames) + " --dump " + home.File(name + "-end.json");
    for (unsigned frame : dumped) {
        arguments += " --dump-at " + std::to_string(frame) + ":" +
                     home.File(name + "-" + std::to_string(frame) + ".json");
    }
    const ContentRun::RunResult run = ContentRun::RunGame(arguments, home.Path());
    EXPECT_EQ(run.status, 0) << run.output;
    Flight flight;
    for (unsigned frame : dumped) {
        flight.dumps.push_back(
            TestSupport::ReadJson(home.File(name + "-" + std::to_string(frame) + ".json")));
    }
    flight.end = TestSupport::ReadJson(home.File(name + "-end.json"));
    return flight;
}

const Json& Rules(const Json& dump) {
    return ComponentOf(Named(dump, "GameManager"), "GameManager");
}

bool Won(const Json& dump) {
    return ContentRun::IsAt(Named(dump, "WinWindow"), 0, 0);
}

// Tree order is drawing order.
std::size_t IndexOf(const Json& dump, const std::string& name) {
    for (std::size_t i = 0; i < dump["entities"].items.size(); ++i) {
        if (dump["entities"].items[i]["name"].text == name) {
            return i;
        }
    }
    return dump["entities"].items.size();
}

}  // namespace

TEST(GhostRace, TheSecondWinOfLevel1RacesTheFirstFlightsGhost) {
    TestSupport::TempFolder home;
    const std::string replay = ContentRun::kReplays + "/level1.input";
    const unsigned frames = ContentRun::FramesOf(replay) + kHeldFrames + 30;
    const std::string ghostFile = home.File("VelaEngine/data/records/level1.ghost");

    const Flight first = Fly(home, "first", replay, frames);
    ASSERT_TRUE(Won(first.end)) << "the replay no longer wins level 1";
    const Json& firstGhost = ComponentOf(Named(first.end, "Ghost"), "Ghost");
    EXPECT_FALSE(firstGhost["showing"].boolean) << "no best existed before the first win";
    EXPECT_EQ(TestSupport::FindComponent(Named(first.end, "Ghost"), "Image"), nullptr);
    EXPECT_TRUE(firstGhost["saved"].boolean);
    ASSERT_TRUE(std::filesystem::exists(ghostFile)) << "the first win left no ghost";
    const std::string firstFile = TestSupport::ReadText(ghostFile);
    EXPECT_TRUE(firstFile.starts_with(
        "fleetwing-ghost\t1\nlevel\t1\nskin\t1\nsamples\t" +
        std::to_string(static_cast<int>(firstGhost["recorded"].number)) + "\n"))
        << firstFile.substr(0, 80);

    const std::string held =
        home.Write("held.input", Delayed(replay, kFirstFreeFrame, kHeldFrames));
    const Flight second = Fly(home, "second", held, frames);
    ASSERT_TRUE(Won(second.end)) << "the held replay no longer wins level 1";
    ASSERT_LT(Rules(second.end)["flightTime"].number, Rules(first.end)["flightTime"].number)
        << "the held replay is no longer the faster one";

    for (std::size_t i = 0; i < kCompared.size(); ++i) {
        SCOPED_TRACE("frame " + std::to_string(kCompared[i]));
        const Json& before = first.dumps[i];
        const Json& now = second.dumps[i];
        const double time = Rules(now)["flightTime"].number;
        ASSERT_EQ(Rules(before)["flightTime"].number, time);
        ASSERT_GT(time, 0.0);
        const Json& ghostEntity = Named(now, "Ghost");
        const Json& ghost = ComponentOf(ghostEntity, "Ghost");
        EXPECT_TRUE(ghost["showing"].boolean);
        // Dumps are written after the frame's wait, when the clock already reads the next
        // frame's start; the ghost stands at the flight time its frame ran at.
        EXPECT_NEAR(time - ghost["showTime"].number, 1.0 / 60.0, 1e-4);
        const Json& plane = Named(before, "Airplane");
        EXPECT_EQ(ghostEntity["position"][0].number, plane["position"][0].number);
        EXPECT_EQ(ghostEntity["position"][1].number, plane["position"][1].number);
        EXPECT_EQ(ghostEntity["rotation"].number, plane["rotation"].number);
        // The plane's picture, mirrored as it was, see-through, under the live plane.
        const Json& picture = ComponentOf(ghostEntity, "Image");
        const Json& planePicture = ComponentOf(plane, "Image");
        EXPECT_EQ(picture["sprite"].text, planePicture["sprite"].text);
        EXPECT_EQ(picture["flipX"].boolean, planePicture["flipX"].boolean);
        EXPECT_EQ(picture["flipY"].boolean, planePicture["flipY"].boolean);
        EXPECT_LT(picture["tint"][3].number, 0.6);
        EXPECT_LT(IndexOf(now, "Ghost"), IndexOf(now, "Airplane"));
        EXPECT_EQ(TestSupport::FindComponent(ghostEntity, "CircleCollider"), nullptr);
    }
    // The live plane has its own path: at some compared frame it is elsewhere.
    bool apart = false;
    for (const Json& now : second.dumps) {
        apart = apart || Named(now, "Airplane")["position"][0].number !=
                             Named(now, "Ghost")["position"][0].number;
    }
    EXPECT_TRUE(apart);

    // The faster flight is the new ghost.
    EXPECT_TRUE(ComponentOf(Named(second.end, "Ghost"), "Ghost")["saved"].boolean);
    EXPECT_NE(TestSupport::ReadText(ghostFile), firstFile);
    const std::string secondFile = TestSupport::ReadText(ghostFile);

    // A third flight paused for a second (frames 400 to 460): the ghost waits with the flight
    // clock, and after the pause stands where the second flight's plane stood at the same
    // flight time, 60 frames later than in that flight.
    const std::string paused =
        home.Write("paused.input", Delayed(replay, kPauseStart, kPauseFrames,
                                           "400\tdown\tescape\n400\tup\tescape\n460\tdown\tescape\n"
                                           "460\tup\tescape\n"));
    std::vector<unsigned> later = {420, 450};
    for (std::size_t i = 2; i < kCompared.size(); ++i) {
        later.push_back(kCompared[i] + kPauseFrames);
    }
    const Flight third = Fly(home, "third", paused, frames + kPauseFrames, later);
    EXPECT_TRUE(Rules(third.dumps[0])["optionsOpen"].boolean) << "the level is not paused";
    EXPECT_EQ(Named(third.dumps[0], "Ghost")["position"][0].number,
              Named(third.dumps[1], "Ghost")["position"][0].number);
    for (std::size_t i = 2; i < kCompared.size(); ++i) {
        SCOPED_TRACE("frame " + std::to_string(later[i]));
        const Json& before = second.dumps[i];
        const Json& now = third.dumps[i];
        // The pause moves the flight's start on in float seconds: the times may differ in
        // their last bits, and the ghost by as little between its samples.
        ASSERT_NEAR(Rules(now)["flightTime"].number, Rules(before)["flightTime"].number, 1e-5);
        const Json& ghostEntity = Named(now, "Ghost");
        const Json& plane = Named(before, "Airplane");
        EXPECT_NEAR(ghostEntity["position"][0].number, plane["position"][0].number, 0.01);
        EXPECT_NEAR(ghostEntity["position"][1].number, plane["position"][1].number, 0.01);
        EXPECT_NEAR(ghostEntity["rotation"].number, plane["rotation"].number, 0.01);
    }
    // Slower than the best: the ghost stays.
    EXPECT_FALSE(ComponentOf(Named(third.end, "Ghost"), "Ghost")["saved"].boolean);
    EXPECT_EQ(TestSupport::ReadText(ghostFile), secondFile);
}

// The ghost shows only with a best time to race and while the options leave it on; it
// stands at its first sample through the countdown, in the skin it was flown with.
TEST(GhostRace, AppearsOnlyWithABestTimeAndWhileSwitchedOn) {
    const struct {
        const char* records;
        bool shown;
    } rows[] = {
        {"bestTime1\t20.000000", true},
        {"bestTime1\t20.000000\nghost\tt", true},
        {"bestTime1\t20.000000\nghost\tf", false},
        {"", false},
        {"bestTime2\t20.000000", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.records);
        TestSupport::TempFolder home;
        home.Write("VelaEngine/data/records/Fleetwing.record", row.records);
        home.Write("VelaEngine/data/records/level1.ghost",
                   "fleetwing-ghost\t1\nlevel\t1\nskin\t3\nsamples\t2\n0\t-400\t850\t10\t0\n"
                   "1\t-300\t800\t20\t2\n");
        const std::string dump = home.File("dump.json");
        const ContentRun::RunResult run =
            ContentRun::RunGame("--scene scenes/level1 --frames 30 --dump " + dump, home.Path());
        ASSERT_EQ(run.status, 0) << run.output;
        const Json level = TestSupport::ReadJson(dump);
        const Json& entity = Named(level, "Ghost");
        EXPECT_EQ(ComponentOf(entity, "Ghost")["showing"].boolean, row.shown);
        const Json* picture = TestSupport::FindComponent(entity, "Image");
        ASSERT_EQ(picture != nullptr, row.shown);
        if (row.shown) {
            EXPECT_TRUE((*picture)["sprite"].text.ends_with("/ball3.png"));
            EXPECT_TRUE(ContentRun::IsAt(entity, -400, 850));
            EXPECT_EQ(entity["rotation"].number, 10);
        }
    }
}
