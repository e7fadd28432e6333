#include <gtest/gtest.h>

#include "tools/vela-run/RunOptions.h"

using namespace VelaRun;

namespace {
bool Parse(std::vector<const char*> args, RunOptions& options, std::string& error) {
    args.insert(args.begin(), "vela-run");
    return ParseOptions(static_cast<int>(args.size()), args.data(), options, error);
}
}  // namespace

TEST(RunOptions, DefaultsEveryOptionAndPlayLegsInTheirOrder) {
    RunOptions defaults;
    std::string error;
    ASSERT_TRUE(Parse({}, defaults, error));
    EXPECT_EQ(defaults.assets, "assets");
    EXPECT_EQ(defaults.scene, "scenes/splash");
    EXPECT_EQ(defaults.frames, 0u);
    EXPECT_FALSE(defaults.workEveryFrame) << "bodies at rest repeat their frames by default";

    RunOptions options;
    ASSERT_TRUE(Parse({"--assets", "a", "--scene", "scenes/x", "--frames", "12", "--input", "in",
                       "--dump", "d.json", "--dump-at", "3:x.json", "--dump-at", "5:y:z.json",
                       "--screenshot", "2:s.png", "--window", "--work-every-frame"},
                      options, error))
        << error;
    // The rest is read back by the runner's own tests; a FILE may hold a colon.
    ASSERT_EQ(options.dumpsAt.size(), 2u);
    EXPECT_EQ(options.dumpsAt[1].frame, 5u);
    EXPECT_EQ(options.dumpsAt[1].path, "y:z.json");
    ASSERT_EQ(options.screenshots.size(), 1u);
    EXPECT_EQ(options.screenshots[0].frame, 2u);
    EXPECT_TRUE(options.window);
    EXPECT_TRUE(options.workEveryFrame);

    RunOptions legs;
    ASSERT_TRUE(Parse({"--play", "scenes/a:in:put.txt:30", "--play", "scenes/b::7", "--leg-dump",
                       "out/leg", "--rss-log", "rss.log"},
                      legs, error))
        << error;
    ASSERT_EQ(legs.legs.size(), 2u);
    EXPECT_EQ(legs.legs[0].scene, "scenes/a");
    EXPECT_EQ(legs.legs[0].inputFile, "in:put.txt");
    EXPECT_EQ(legs.legs[0].frames, 30u);
    EXPECT_EQ(legs.legs[1].inputFile, "");
    EXPECT_EQ(legs.legs[1].frames, 7u);
    EXPECT_EQ(legs.legDumpPrefix, "out/leg");
    EXPECT_EQ(legs.rssLogFile, "rss.log");
}

TEST(RunOptions, BadCommandLinesAreRefusedAndLegsDoNotMixWithASingleRun) {
    for (std::vector<const char*> args : {std::vector<const char*>{"--frames", "0"},
                                          {"--frames", "-3"},
                                          {"--frames", "2x"},
                                          {"--frames"},
                                          {"--dump-at", "x.json"},
                                          {"--dump-at", "0:x.json"},
                                          {"--screenshot", "4:"},
                                          {"--bogus"}}) {
        RunOptions options;
        std::string error;
        EXPECT_FALSE(Parse(args, options, error)) << args[0];
        EXPECT_FALSE(error.empty());
    }
    for (std::vector<const char*> args : {std::vector<const char*>{"--play", "scenes/a:5"},
                                          {"--play", ":in:5"},
                                          {"--play", "scenes/a:in:"},
                                          {"--play", "scenes/a::-1"},
                                          {"--play", "scenes/a::0"},
                                          {"--play", "scenes/a::2", "--input", "in"},
                                          {"--play", "scenes/a::2", "--frames", "3"},
                                          {"--scene", "scenes/a", "--play", "scenes/a::2"}}) {
        RunOptions options;
        std::string error;
        EXPECT_FALSE(Parse(args, options, error)) << args[1];
        EXPECT_NE(error.find("--play"), std::string::npos) << error;
    }
}

// A picture or dump after the last frame would never be written.
TEST(RunOptions, FramesAskedForPastTheLastFrameAreRefusedForSingleRunsAndLegs) {
    struct Row {
        std::vector<const char*> args;
        const char* error;  // empty: accepted
    };
    const std::vector<Row> rows = {
        {{"--frames", "10", "--screenshot", "10:s.png", "--dump-at", "1:d.json"}, ""},
        {{"--frames", "10", "--screenshot", "11:s.png"},
         "--screenshot frame 11 (s.png) is past the run's last frame, 10"},
        {{"--dump-at", "99:d.json", "--frames", "98"},
         "--dump-at frame 99 (d.json) is past the run's last frame, 98"},
        {{"--play", "scenes/a::3", "--play", "scenes/b::4", "--screenshot", "7:s.png"}, ""},
        {{"--play", "scenes/a::3", "--play", "scenes/b::4", "--dump-at", "8:d.json"},
         "--dump-at frame 8 (d.json) is past the run's last frame, 7"},
        // Without a frame count the run lasts until the game ends: only the run can tell.
        {{"--screenshot", "100000:s.png"}, ""},
    };
    for (const Row& row : rows) {
        RunOptions options;
        std::string error;
        EXPECT_EQ(Parse(row.args, options, error), *row.error == '\0') << row.error;
        EXPECT_EQ(error, row.error);
    }
}
