#include <gtest/gtest.h>

#include "engine/graphics/Display.h"
#include "engine/input/Input.h"
#include "platform/EBInput.h"
#include "platform/EBPicturePlacement.h"
#include "platform/EBSystem.h"
#include "platform/EBSystemState.h"
#include "support/FatalCatcher.h"

using namespace VelaEngine;

namespace {

// What the devices report on the next update: keys by Win32 code, cursor in physical pixels.
EBInputSnapshot g_devices{};
void ScriptedDevices(EBInputSnapshot& snapshot) {
    snapshot = g_devices;
}

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

    static bool State(int code) { return Input::Get().GetState(code); }
};

TEST_F(InputTest, CodesExistFromTheFirstUpdateEachReadsItsKeyAndAClickIsTheFirstFrameDown) {
    const std::string absent = "Assertion in VEDebug.cpp line 35: invalid unordered_map<K, T> key";
    EXPECT_EQ(TestSupport::FatalMessageOf([] { Input::Get().GetState(MouseLeftHeld); }), absent);
    struct Case {
        unsigned char key;
        int pressed;  // -1: none
        int held;
    };
    const Case cases[] = {
        {0x01, MouseLeftPressed, MouseLeftHeld},
        {0x02, MouseRightPressed, MouseRightHeld},
        {0x1B, EscapePressed, -1},
        {0x50, PPressed, -1},
        {0x20, SpacePressed, SpaceHeld},
        {0x0D, EnterPressed, -1},
        {0x41, APressed, -1},
        {0x49, -1, IHeld},
        {0x7A, F11Pressed, -1},
    };
    const int codes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13};
    for (const Case& c : cases) {
        SCOPED_TRACE("key " + std::to_string(c.key));
        g_devices = EBInputSnapshot{};
        Input::Get().Update();
        g_devices.keys[c.key] = 0x80;
        Input::Get().Update();
        EXPECT_EQ(Input::Get().IsClicked(), c.key == 0x01);
        for (int code : codes) {
            EXPECT_EQ(State(code), code == c.pressed || code == c.held) << "code " << code;
        }
        Input::Get().Update();
        EXPECT_FALSE(Input::Get().IsClicked());
        for (int code : codes) {
            EXPECT_EQ(State(code), code == c.held) << "code " << code;
        }
    }
    // Ten is no code, nor is anything past thirteen.
    EXPECT_EQ(TestSupport::FatalMessageOf([] { Input::Get().GetState(10); }), absent);
    EXPECT_EQ(TestSupport::FatalMessageOf([] { Input::Get().GetState(14); }), absent);
}

// Focus loss is an edge: the one update that finds the focus gone, not every update without
// it; a window that has never had the focus since the first update has lost nothing.
TEST_F(InputTest, FocusLostIsSetOnlyByTheUpdateThatFindsTheFocusGone) {
    auto updateWith = [](int active) {
        EBSysSetWindowActive(active);
        Input::Get().Update();
        return State(FocusLost);
    };
    EXPECT_FALSE(updateWith(0)) << "the first update without the focus";
    EXPECT_FALSE(updateWith(0));
    EXPECT_FALSE(updateWith(1));
    EXPECT_FALSE(updateWith(1));
    EXPECT_TRUE(updateWith(0));
    EXPECT_FALSE(updateWith(0)) << "still away: nothing new";
    EXPECT_FALSE(updateWith(1));
    EXPECT_TRUE(updateWith(0)) << "lost a second time";
    EBSysSetWindowActive(1);
    EXPECT_EQ(EBSysIsWindowActive(), 1);
}

TEST_F(InputTest, TheCursorIsInWorldUnitsOfThePictureTruncatedAndNotClamped) {
    struct Case {
        int screenWidth, screenHeight;  // 0: windowed
        int x, y;
        float worldX, worldY;
    };
    const Case cases[] = {
        {0, 0, 0, 0, -800.0f, 450.0f},
        {0, 0, -100, 1000, -900.0f, -550.0f},
        // 959 / 1.2 = 799.17 and 541 / 1.2 = 450.83: whole window pixels toward zero.
        {1920, 1080, 959, 541, -1.0f, 0.0f},
        // A taller screen: black bars of 60 pixels above and below the picture.
        {1920, 1200, 1920, 60, 800.0f, 450.0f},
        {1920, 1200, 0, 0, -800.0f, 500.0f},
        // A wider screen: bars of 320 pixels left and right; within a bar, less than a window
        // pixel from the picture truncates toward it.
        {2560, 1080, 319, 0, -800.0f, 450.0f},
        {2560, 1080, 0, 0, -1066.0f, 450.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.screenWidth) + " x " + std::to_string(c.screenHeight) +
                     " at " + std::to_string(c.x) + ", " + std::to_string(c.y));
        EBInternal::System().placement =
            EBPlacePicture(1600, 900, c.screenWidth > 0, c.screenWidth, c.screenHeight);
        g_devices.cursorX = c.x;
        g_devices.cursorY = c.y;
        Input::Get().Update();
        EXPECT_EQ(Input::Get().GetCursor().x, c.worldX);
        EXPECT_EQ(Input::Get().GetCursor().y, c.worldY);
    }
}

}  // namespace
