#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "game/GhostPath.h"

// The ghost file's text and the poses between its samples.

using namespace Game;

namespace {

GhostPath ThreeSamples() {
    GhostPath path;
    path.level = 4;
    path.skin = 3;
    path.samples = {
        {0.0f, -450.0f, 900.0f, 0.0f, false, false},
        {0.1f, -440.5f, 880.25f, 170.0f, false, true},
        {0.3f, -420.123456f, 850.000061f, -170.0f, true, false},
    };
    return path;
}

}  // namespace

TEST(GhostPathText, ReadsBackExactlyWhatItWrote) {
    const GhostPath path = ThreeSamples();
    const std::string text = FormatGhostPath(path);
    EXPECT_TRUE(text.starts_with("fleetwing-ghost\t1\nlevel\t4\nskin\t3\nsamples\t3\n")) << text;
    GhostPath back;
    std::string problem;
    ASSERT_TRUE(ParseGhostPath(text, 4, back, problem)) << problem;
    EXPECT_EQ(back.level, 4);
    EXPECT_EQ(back.skin, 3);
    // Bit for bit: a ghost must stand exactly where the plane stood.
    EXPECT_EQ(back.samples, path.samples);
    // Shortest round-trip digits keep the file small.
    EXPECT_LT(text.size(), 200u);
}

TEST(GhostPathText, RefusesDamagedForeignAndHostileTexts) {
    const std::string head = "fleetwing-ghost\t1\nlevel\t4\nskin\t3\n";
    const std::string one = "0\t1\t2\t3\t0\n";
    const struct {
        std::string text;
        const char* problem;
    } rows[] = {
        {"", "not a ghost file"},
        {"fleetwing-ghost 1\n", "not a ghost file"},
        {"fleetwing-ghost\t1.0\n", "format \"1.0\", not 1"},
        {"fleetwing-ghost\t1\nlevel\t5\nskin\t3\nsamples\t1\n" + one, "recorded on level 5"},
        {"fleetwing-ghost\t1\nskin\t3\nlevel\t4\nsamples\t1\n" + one, "no \"level\" line"},
        {"fleetwing-ghost\t1\nlevel\t4\nskin\t0\nsamples\t1\n" + one, "bad skin \"0\""},
        {head + "samples\t0\n", "bad samples \"0\""},
        {head + "samples\t36001\n" + one, "bad samples \"36001\""},
        {head + "samples\t99999999999999999999999\n", "bad samples"},
        {head + "samples\t2\n" + one, "cut short after 1 of 2 samples"},
        {head + "samples\t1\n" + one + "\n", "more than the 1 samples"},
        {head + "samples\t1\n0\t1\t2\t3\n", "not five fields"},
        {head + "samples\t1\n0\t1\t2\t3\t0\t0\n", "not five fields"},
        {head + "samples\t1\n0\t1\t2\t3\t4\n", "mirroring is not 0 to 3"},
        {head + "samples\t1\n0\t1 \t2\t3\t0\n", "not a finite number"},
        {head + "samples\t1\n0\t-nan\t2\t3\t0\n", "not a finite number"},
        {head + "samples\t1\n0\t1\t2\tinfinity\t0\n", "not a finite number"},
        {head + "samples\t1\n0\t1\t2e6\t3\t0\n", "out of range"},
        {head + "samples\t1\n-0.5\t1\t2\t3\t0\n", "out of range"},
        {head + "samples\t1\n0\t1\t2\t1e5\t0\n", "out of range"},
        {head + "samples\t2\n1\t1\t2\t3\t0\n0.9\t1\t2\t3\t0\n", "its times go back"},
    };
    for (const auto& row : rows) {
        GhostPath path;
        std::string problem;
        EXPECT_FALSE(ParseGhostPath(row.text, 4, path, problem)) << row.text;
        EXPECT_NE(problem.find(row.problem), std::string::npos) << row.text << "\n" << problem;
    }
}

TEST(GhostPose, FollowsTheSamplesAndTurnsTheShortWayRound) {
    const GhostPath path = ThreeSamples();
    // On a sample: that sample, exactly.
    EXPECT_EQ(GhostPoseAt(path, 0.1f), path.samples[1]);
    EXPECT_EQ(GhostPoseAt(path, 0.3f), path.samples[2]);
    // Before the first and after the last: they hold.
    EXPECT_EQ(GhostPoseAt(path, -1.0f), path.samples[0]);
    EXPECT_EQ(GhostPoseAt(path, 99.0f), path.samples[2]);
    // Between: position in proportion; the mirroring of the earlier sample.
    const GhostSample half = GhostPoseAt(path, 0.05f);
    EXPECT_NEAR(half.x, -445.25f, 1e-3);
    EXPECT_NEAR(half.y, 890.125f, 1e-3);
    EXPECT_NEAR(half.rotation, 85.0f, 1e-3);
    EXPECT_FALSE(half.flipY);
    // From 170 to -170 degrees is 20 degrees through 180, not 340 back through 0.
    const GhostSample turn = GhostPoseAt(path, 0.2f);
    EXPECT_NEAR(std::fabs(turn.rotation), 180.0f, 1e-3);
    EXPECT_TRUE(turn.flipY);
    EXPECT_FALSE(turn.flipX);
}

TEST(GhostPose, EqualTimesFromAPauseStepWithoutDividingByZero) {
    GhostPath path;
    path.samples = {{1.0f, 0.0f, 0.0f, 0.0f}, {1.0f, 10.0f, 0.0f, 0.0f}, {2.0f, 20.0f, 0.0f, 0.0f}};
    EXPECT_EQ(GhostPoseAt(path, 1.0f).x, 10.0f);
    EXPECT_NEAR(GhostPoseAt(path, 1.5f).x, 15.0f, 1e-4);
    EXPECT_TRUE(std::isfinite(GhostPoseAt(path, 0.5f).x));
}
