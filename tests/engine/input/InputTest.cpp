#include <gtest/gtest.h>

#include <cstring>

#include "engine/graphics/Display.h"
#include "engine/input/Input.h"
#include "platform/EBInput.h"
#include "platform/EBPicturePlacement.h"
#include "platform/EBSystemState.h"
#include "support/FatalCatcher.h"

using namespace VelaEngine;

namespace {

const std::string kFail = "Assertion in VEDebug.cpp line 35: ";

// What the devices report on the next update: keys by Win32 code, cursor in physical pixels.
EBInputSnapshot g_devices{};
void ScriptedDevices(EBInputSnapshot& snapshot) {
    snapshot = g_devices;
}

constexpr unsigned char kLeft = 0x01;
constexpr unsigned char kRight = 0x02;

// The game's 1600 × 900 window, offscreen, with scripted devices.
class InputTest : public testing::Test {
protected:
    void SetUp() override {
        g_devices = EBInputSnapshot{};
        Display::Create();
        Display::Get().Init("Fleetwing", false, false, false, Vector2(1600.0f, 900.0f), nullptr);
        Input::Create();
        EBInputSetSource(&ScriptedDevices);
    }
    void TearDown() override {
        EBInputSetSource(nullptr);
        Input::Release();
        Display::Release();
    }

    static void Hold(unsigned char key, bool down) { g_devices.keys[key] = down ? 0x80 : 0x00; }
    // One frame's update with the cursor at a physical pixel.
    static const Point2& CursorAt(int x, int y) {
        g_devices.cursorX = x;
        g_devices.cursorY = y;
        Input::Get().Update();
        return Input::Get().GetCursor();
    }
    // A full-screen picture on a screen of the given size, as the platform would place it.
    static void FullScreenOn(int width, int height) {
        EBInternal::System().placement = EBPlacePicture(1600, 900, true, width, height);
    }
    static bool State(int code) { return Input::Get().GetState(code); }
};

void ExpectCursor(const Point2& cursor, float x, float y) {
    EXPECT_EQ(cursor.x, x);
    EXPECT_EQ(cursor.y, y);
}

TEST_F(InputTest, AClickIsTheLeftButtonsFirstFrameDownOnly) {
    Hold(kLeft, true);
    Input::Get().Update();
    EXPECT_TRUE(Input::Get().IsClicked());
    for (int frame = 0; frame < 3; ++frame) {
        Input::Get().Update();
        EXPECT_FALSE(Input::Get().IsClicked());
        EXPECT_TRUE(State(MouseLeftHeld));
    }
    Hold(kLeft, false);
    Input::Get().Update();
    EXPECT_FALSE(State(MouseLeftHeld));
    EXPECT_FALSE(Input::Get().IsClicked());
}

TEST_F(InputTest, AClickBetweenTwoSnapshotsIsMissed) {
    Input::Get().Update();
    Hold(kLeft, true);  // down and up again before the next frame
    Hold(kLeft, false);
    Input::Get().Update();
    EXPECT_FALSE(State(MouseLeftPressed));
    EXPECT_FALSE(State(MouseLeftHeld));
}

TEST_F(InputTest, EveryCodeReadsItsKey) {
    struct Case {
        unsigned char key;
        int pressed;  // -1: none
        int held;
    };
    const Case cases[] = {
        {kLeft, MouseLeftPressed, MouseLeftHeld},
        {kRight, MouseRightPressed, MouseRightHeld},
        {0x1B, EscapePressed, -1},
        {0x50, PPressed, -1},
        {0x20, SpacePressed, SpaceHeld},
        {0x0D, EnterPressed, -1},
        {0x41, APressed, -1},
        {0x49, -1, IHeld},
    };
    const int codes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11};
    for (const Case& c : cases) {
        std::memset(g_devices.keys, 0, sizeof g_devices.keys);
        Input::Get().Update();
        Hold(c.key, true);
        Input::Get().Update();
        for (int code : codes) {
            const bool expected = code == c.pressed || code == c.held;
            EXPECT_EQ(State(code), expected) << "key " << int{c.key} << ", code " << code;
        }
        Input::Get().Update();
        for (int code : codes) {
            EXPECT_EQ(State(code), code == c.held) << "key " << int{c.key} << ", code " << code;
        }
    }
}

TEST_F(InputTest, CodesExistFromTheFirstUpdateAndTenNever) {
    const std::string absent = kFail + "invalid unordered_map<K, T> key";
    EXPECT_EQ(TestSupport::FatalMessageOf([] { Input::Get().GetState(MouseLeftHeld); }), absent);
    EXPECT_EQ(TestSupport::FatalMessageOf([] { Input::Get().IsClicked(); }), absent);
    Input::Get().Update();
    for (int code : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11}) {
        EXPECT_EQ(TestSupport::FatalMessageOf([code] { Input::Get().GetState(code); }), "");
    }
    EXPECT_EQ(TestSupport::FatalMessageOf([] { Input::Get().GetState(10); }), absent);
    EXPECT_EQ(TestSupport::FatalMessageOf([] { Input::Get().GetState(12); }), absent);
}

TEST_F(InputTest, WindowedCursorIsScreenSpaceAndNotClamped) {
    ExpectCursor(CursorAt(0, 0), -800.0f, 450.0f);
    ExpectCursor(CursorAt(800, 450), 0.0f, 0.0f);
    ExpectCursor(CursorAt(1600, 900), 800.0f, -450.0f);
    ExpectCursor(CursorAt(-100, 1000), -900.0f, -550.0f);
}

TEST_F(InputTest, FullScreenDividesByTheScaleAndTruncates) {
    FullScreenOn(1920, 1080);
    ExpectCursor(CursorAt(1920, 0), 800.0f, 450.0f);
    ExpectCursor(CursorAt(960, 540), 0.0f, 0.0f);
    // 959 / 1.2 = 799.17 and 541 / 1.2 = 450.83: whole window pixels toward zero.
    ExpectCursor(CursorAt(959, 541), -1.0f, 0.0f);
    ExpectCursor(CursorAt(1, 1), -800.0f, 450.0f);
}

TEST_F(InputTest, LetterboxBarsAreOutsideThePicture) {
    // A taller screen: black bars of 60 pixels above and below the picture.
    FullScreenOn(1920, 1200);
    ExpectCursor(CursorAt(1920, 60), 800.0f, 450.0f);
    ExpectCursor(CursorAt(960, 600), 0.0f, 0.0f);
    ExpectCursor(CursorAt(0, 1200), -800.0f, -500.0f);
    ExpectCursor(CursorAt(0, 0), -800.0f, 500.0f);
    // A wider screen: bars of 320 pixels left and right.
    FullScreenOn(2560, 1080);
    ExpectCursor(CursorAt(320, 0), -800.0f, 450.0f);
    ExpectCursor(CursorAt(2240, 1080), 800.0f, -450.0f);
    // Within the bar, less than a window pixel from the picture truncates toward it.
    ExpectCursor(CursorAt(319, 0), -800.0f, 450.0f);
    ExpectCursor(CursorAt(0, 0), -1066.0f, 450.0f);
}

TEST(InputServices, UpdateNeedsTheDisplay) {
    EXPECT_EQ(TestSupport::FatalMessageOf([] { Input::Get(); }), kFail + "Input not Instantiated");
    Input::Create();
    EXPECT_EQ(TestSupport::FatalMessageOf([] { Input::Get().Update(); }),
              kFail + "Display not Instantiated");
    Input::Release();
}

}  // namespace
