// The small moving and marking behaviours through the headless runner, 1/60 s a frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/game/GameTestSupport.h"

using namespace GameTest;

namespace {

double X(const Json& dump, const std::string& entity) {
    return EntityAt(dump, entity)["position"][0].number;
}
double Y(const Json& dump, const std::string& entity) {
    return EntityAt(dump, entity)["position"][1].number;
}
double Rotation(const Json& dump, const std::string& entity) {
    return EntityAt(dump, entity)["rotation"].number;
}
std::vector<double> Tint(const Json& dump, const std::string& entity) {
    std::vector<double> tint;
    for (const Json& channel : ComponentOf(EntityAt(dump, entity), "Image")["tint"].items) {
        tint.push_back(channel.number);
    }
    return tint;
}

using SmallRun = SceneRun;

// One run of the scene holding one of each; the slow motion comes last, as it slows the rest.
TEST_F(SmallRun, EachSmallBehaviourDoesItsPart) {
    WriteRecords("foundstar3_2\tt\nfoundstar2_1\tt");
    RunOk("small", 196,
          "1\tmove\t100\t50\n2\tdown\tspace\n3\tmove\t150\t20\n"
          "192\tdown\tmouse_right\n194\tup\tmouse_right\n",
          {1,  2,  3,  4,  5,  10, 29,  30,  31,  32,  33,  60, 90,
           91, 92, 93, 94, 95, 96, 160, 170, 175, 190, 191, 193});
    // Credits scroll slowly, fast with space, and start over past the end.
    EXPECT_NEAR(Y(At(1), "Credits"), 3700.0 + 20.0 / 60.0, 1e-3);
    EXPECT_EQ(X(At(1), "Credits"), 123);
    // Frame 2 passes 3703 at 500 a second.
    EXPECT_EQ(X(At(2), "Credits"), 0);
    EXPECT_EQ(Y(At(2), "Credits"), -450);
    EXPECT_NEAR(Y(At(3), "Credits"), -450.0 + 500.0 / 60.0, 1e-3);
    // The flasher picks a light colour every few frames.
    EXPECT_EQ(Tint(At(2), "Flash"), (std::vector<double>{0, 0, 0, 0.5}));
    for (unsigned frame : {4u, 5u}) {
        const std::vector<double> tint = Tint(At(frame), "Flash");
        EXPECT_EQ(tint[3], 1.0);
        for (int channel = 0; channel < 3; ++channel) {
            EXPECT_GE(tint[channel], 0.5);
            EXPECT_LE(tint[channel], 1.0);
        }
    }
    // Jiggle shakes by at most two and a half a frame.
    double lastX = 50.0;
    double lastY = 50.0;
    for (unsigned frame : {1u, 2u}) {
        EXPECT_LE(std::abs(X(At(frame), "Shaker") - lastX), 2.5);
        EXPECT_LE(std::abs(Y(At(frame), "Shaker") - lastY), 2.5);
        lastX = X(At(frame), "Shaker");
        lastY = Y(At(frame), "Shaker");
    }
    EXPECT_NE(X(At(1), "Shaker"), X(At(2), "Shaker"));
    EXPECT_LE(std::abs(X(At(10), "Shaker") - 50.0), 25.0);
    EXPECT_NEAR(Rotation(At(60), "Spinner"), 90.0, 1e-3) << "cool turn turns at its speed";
    // A patrol starting at its first point turns at once.
    // Frame 1 finds " WPA" within 20 units and turns without moving.
    EXPECT_EQ(X(At(1), "Saw"), 0);
    EXPECT_NEAR(X(At(2), "Saw"), 100.0 / 60.0, 1e-4);
    EXPECT_EQ(Y(At(2), "Saw"), 0);
    // It stops short of " WPB" at 300 and heads back.
    double farthest = 0.0;
    for (unsigned frame : {160u, 170u, 175u}) {
        farthest = std::max(farthest, X(At(frame), "Saw"));
    }
    EXPECT_GT(farthest, 278);
    EXPECT_LT(farthest, 282);
    EXPECT_LT(X(At(190), "Saw"), X(At(175), "Saw"));
    // The pendulum swings just past its limits, one degree a frame.
    double top = -1000.0;
    unsigned topFrame = 0;
    for (unsigned frame : {29u, 30u, 31u, 32u, 33u}) {
        if (Rotation(At(frame), "Swing") > top) {
            top = Rotation(At(frame), "Swing");
            topFrame = frame;
        }
    }
    EXPECT_GT(top, 30.0);
    EXPECT_LE(top, 31.001);
    EXPECT_NEAR(Rotation(At(topFrame + 1), "Swing"), top - 1.0, 1e-3);
    double bottom = 1000.0;
    for (unsigned frame : {90u, 91u, 92u, 93u, 94u, 95u}) {
        bottom = std::min(bottom, Rotation(At(frame), "Swing"));
    }
    EXPECT_LT(bottom, -30.0);
    EXPECT_GE(bottom, -31.001);
    EXPECT_GT(Rotation(At(96), "Swing"), bottom);
    // A turn of -370 goes on from -10, keeping its sign.
    EXPECT_NEAR(Rotation(At(1), "Wound"), -9.0, 1e-3);
    // Follow cursor moves with the cursor.
    EXPECT_EQ(X(At(1), "Pointer"), 100);
    EXPECT_EQ(Y(At(1), "Pointer"), 50);
    EXPECT_EQ(X(At(3), "Pointer"), 150);
    EXPECT_EQ(Y(At(3), "Pointer"), 20);
    // Slow motion while the right button is held.
    EXPECT_EQ(At(191)["timeScale"].number, 1.0);
    EXPECT_EQ(At(193)["timeScale"].number, 0.25);
    EXPECT_EQ(End()["timeScale"].number, 1.0);
    // A star marker lights up for its found star only.
    EXPECT_EQ(Tint(End(), "Found"), (std::vector<double>{1, 1, 1, 1}));
    EXPECT_NEAR(Tint(End(), "NotFound")[3], 0.55, 1e-6);
}

TEST_F(SmallRun, APendulumWithoutAllItsNumbersEndsTheRun) {
    RunResult result = Run("bad_pendulum", 1);
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.output.find("Pendulum rotSpeedDown not found"), std::string::npos)
        << result.output;
}

}  // namespace
