#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tools/autopilot/Pilot.h"
#include "tools/autopilot/Route.h"
#include "tools/autopilot/ScriptWriter.h"

// The autopilot finds the checked-in level replays; if its sums are wrong it crashes into
// walls or never settles at a gate, and the search for replays fails.

using namespace Autopilot;

namespace {

constexpr float kDt = 1.0f / 60.0f;

// The plane in open sky, frame by frame in the game's order: the camera eases towards the
// plane's lead point, the plane falls a step, then the cursor fan blows.
struct Sky {
    Vec plane{0.0f, 0.0f};
    Vec velocity{0.0f, 0.0f};
    Vec camera{0.0f, 0.0f};
    unsigned frame = 0;

    void Run(Pilot& pilot, unsigned frames, std::vector<Vec>* track = nullptr) {
        for (unsigned i = 0; i < frames; ++i) {
            const FanInput input = pilot.Steer({frame, plane, velocity, camera});
            ++frame;
            camera.x += (plane.x + velocity.x * 0.5f - camera.x) * 2.0f * kDt;
            camera.y += (plane.y + velocity.y * 0.5f - camera.y) * 2.0f * kDt;
            velocity.y -= 200.0f * kDt;
            plane.x += velocity.x * kDt;
            plane.y += velocity.y * kDt;
            const float dx = plane.x - (input.x + camera.x);
            const float dy = plane.y - (input.y + camera.y);
            const float d = std::sqrt(dx * dx + dy * dy);
            if (input.blow && d < 300.0f && d > 0.0f) {
                const float k = (1.0f - d / 300.0f) * 3500.0f * kDt / d;
                velocity.x += dx * k;
                velocity.y += dy * k;
            }
            if (track != nullptr) {
                track->push_back(plane);
            }
        }
    }
};

std::vector<Leg> Parse(const std::string& text) {
    std::vector<Leg> legs;
    std::string error;
    EXPECT_TRUE(ParseRoute(text, legs, error)) << error;
    return legs;
}

float Distance(Vec a, Vec b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

}  // namespace

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

TEST(Pilot, SettlesAtAStopHoldsAtTheGateUntilItsFrameThenFliesOn) {
    Pilot pilot(Parse("stop 300 200\ngate\nland 600 0 200\n"), {400});
    Sky sky;
    std::vector<Vec> track;
    sky.Run(pilot, 400, &track);
    // Settled well before frame 400 and still there while waiting.
    EXPECT_LT(Distance(track[250], {300.0f, 200.0f}), 15.0f);
    EXPECT_LT(Distance(track[399], {300.0f, 200.0f}), 15.0f);
    EXPECT_EQ(pilot.OpenGate(), 0u);
    sky.Run(pilot, 60);
    EXPECT_GT(sky.plane.x, 350.0f);
    EXPECT_EQ(pilot.LegIndex(), 2u);
}

TEST(Pilot, AGateWithoutAFrameIsReportedOnceSettled) {
    Pilot pilot(Parse("go -200 100 250\nstop -400 300\ngate\nland 0 0 200\n"), {});
    Sky sky;
    sky.Run(pilot, 600);
    EXPECT_EQ(pilot.OpenGate(), 1u);
    EXPECT_GT(pilot.OpenGateFrame(), 30u);
    EXPECT_LT(Distance(sky.plane, {-400.0f, 300.0f}), 15.0f);
}

TEST(Route, MalformedRoutesAreRefusedWithTheirLine) {
    std::vector<Leg> legs;
    std::string error;
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
