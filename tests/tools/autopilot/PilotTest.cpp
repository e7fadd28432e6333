#include <gtest/gtest.h>

#include <string>

#include "tools/autopilot/ScriptWriter.h"

// The replay scripts the autopilot writes for vela-run. Its sums and routes show in the replays
// it finds: a fault there finds no replay, which the developer running it sees at once.

using namespace Autopilot;

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
