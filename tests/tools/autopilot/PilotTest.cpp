#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/autopilot/Pilot.h"
#include "tools/autopilot/Route.h"
#include "tools/autopilot/ScriptWriter.h"

// The autopilot's sums and texts: where the cursor goes for a wanted push, how routes are
// read and how the replay script is written. Its flying shows in the replays it finds.

using namespace Autopilot;

TEST(Pilot, TheCursorSitsBehindThePlaneAtTheDistanceOfThePush) {
    // Half the fan's strength comes from half its reach: 150 units below a plane to push up.
    const FanInput up = FanFor({100.0f, 50.0f}, {0.0f, 0.0f}, {0.0f, 1750.0f});
    EXPECT_TRUE(up.blow);
    EXPECT_EQ(up.x, 100);
    EXPECT_EQ(up.y, -100);
    // Seen through a camera, the same place is further left on the screen.
    const FanInput left = FanFor({100.0f, 50.0f}, {40.0f, 0.0f}, {-1750.0f, 0.0f});
    EXPECT_EQ(left.x, 100 + 150 - 40);
    EXPECT_EQ(left.y, 50);
}

TEST(Pilot, NoCursorOnTheScreenGivesAPushForAFarPlane) {
    // The plane is 2000 units right of the camera: no cursor inside the picture reaches it.
    EXPECT_FALSE(FanFor({2000.0f, 0.0f}, {0.0f, 0.0f}, {0.0f, 500.0f}).blow);
    // Near the screen's edge the cursor moves in, closer to the plane, rather than out.
    const FanInput edge = FanFor({700.0f, 0.0f}, {0.0f, 0.0f}, {-200.0f, 0.0f});
    EXPECT_TRUE(edge.blow);
    EXPECT_LE(edge.x, 790);
}

TEST(Route, MalformedRoutesAreRefusedWithTheirLine) {
    std::vector<Leg> legs;
    std::string error;
    ASSERT_TRUE(ParseRoute("stop 300 200\ngate\nland 600 0 200\n", legs, error)) << error;
    EXPECT_EQ(legs.size(), 3u);
    legs.clear();
    EXPECT_FALSE(ParseRoute("# a route\ngo 1 2\nland 0 0 100\n", legs, error));
    EXPECT_EQ(error, "line 2: 'go' needs X, Y and a positive speed");
    legs.clear();
    EXPECT_FALSE(ParseRoute("fly 1 2 3\n", legs, error));
    EXPECT_EQ(error, "line 1: unknown leg 'fly' (go, stop, gate or land)");
    legs.clear();
    EXPECT_FALSE(ParseRoute("stop 1 2\n", legs, error));
    EXPECT_EQ(error, "a route ends with a 'land' leg");
}

TEST(ScriptWriter, WritesOnlyChangesAndTheReplayCommand) {
    ScriptWriter script;
    script.Record(1, {true, 10, -20});
    script.Record(2, {true, 10, -20});
    script.Record(3, {true, 12, -20});
    script.Record(4, {false, 0, 0});  // button up: the cursor stays at (12, -20)
    script.Record(5, {true, 12, -20});
    EXPECT_EQ(script.CursorX(), 12);
    EXPECT_EQ(script.Text("scenes/level2", 90),
              "# Made by tools/autopilot. Replay: vela-run --scene scenes/level2 --input FILE "
              "--frames 90\n"
              "1\tmove\t10\t-20\n1\tdown\tmouse_left\n3\tmove\t12\t-20\n4\tup\tmouse_left\n"
              "5\tdown\tmouse_left\n");
}
