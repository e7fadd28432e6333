#include <SDL2/SDL_keycode.h>
#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "platform/EBInput.h"
#include "platform/EBKeyMap.h"

namespace {
constexpr unsigned char kLeftButton = 0x01;
constexpr unsigned char kKeyA = 0x41;

// What the scripted source reports on the next update.
struct Script {
    bool leftDown = false;
    bool aDown = false;
    int cursorX = 0;
    int cursorY = 0;
} g_script;

void ScriptedSource(EBInputSnapshot& snapshot) {
    std::memset(snapshot.keys, 0, sizeof(snapshot.keys));
    snapshot.keys[kLeftButton] = g_script.leftDown ? 0x80 : 0x00;
    // Only bit 7 means down: the low toggle bit alone must read as up.
    snapshot.keys[kKeyA] = g_script.aDown ? 0x81 : 0x01;
    snapshot.cursorX = g_script.cursorX;
    snapshot.cursorY = g_script.cursorY;
}

void Frame(bool a, bool left, int x = 0, int y = 0) {
    g_script = Script{left, a, x, y};
    EBInputUpdate();
}
}  // namespace

TEST(ScriptedInput, PressHoldReleaseAndResetAcrossSnapshots) {
    EBInputSetSource(&ScriptedSource);
    EBInputReset();
    Frame(true, false, 30, 40);
    EXPECT_TRUE(EBInputCheckCurr(kKeyA));
    EXPECT_FALSE(EBInputCheckPrev(kKeyA));
    EXPECT_TRUE(EBInputCheckTriggered(kKeyA));

    Frame(true, true, 35, 38);  // held: current and previous, not triggered
    EXPECT_TRUE(EBInputCheckPrev(kKeyA));
    EXPECT_FALSE(EBInputCheckTriggered(kKeyA));
    EXPECT_TRUE(EBInputCheckTriggered(kLeftButton));
    int dx = 0, dy = 0;
    EBInputGetCursorPositionDelta(dx, dy);
    EXPECT_EQ(dx, 5);
    EXPECT_EQ(dy, -2);

    Frame(false, true, 35, 38);
    EXPECT_FALSE(EBInputCheckCurr(kKeyA));
    EXPECT_TRUE(EBInputCheckReleased(kKeyA));

    // A reset makes held keys trigger again; the first delta after it is the whole position.
    EBInputReset();
    Frame(false, true, 35, 38);
    EXPECT_TRUE(EBInputCheckTriggered(kLeftButton));
    EXPECT_FALSE(EBInputCheckReleased(kKeyA));
    EBInputGetCursorPositionDelta(dx, dy);
    EXPECT_EQ(dx, 35);
    EXPECT_EQ(dy, 38);
    EBInputSetSource(nullptr);
}

TEST(InputKeyMap, SdlKeysBecomeVirtualKeyCodes) {
    const std::pair<SDL_Keycode, int> keys[] = {
        {SDLK_a, 0x41},   {SDLK_p, 0x50},         {SDLK_z, 0x5A},      {SDLK_0, 0x30},
        {SDLK_9, 0x39},   {SDLK_RETURN, 0x0D},    {SDLK_ESCAPE, 0x1B}, {SDLK_SPACE, 0x20},
        {SDLK_TAB, 0x09}, {SDLK_BACKSPACE, 0x08}, {SDLK_LEFT, 0x25},   {SDLK_DOWN, 0x28},
        {SDLK_F1, 0x70},  {SDLK_F12, 0x7B},       {SDLK_KP_7, 0x67},   {SDLK_RSHIFT, 0xA1},
        {SDLK_UNKNOWN, 0}};
    for (const auto& [key, code] : keys) {
        EXPECT_EQ(EBVirtualKeyFromKeycode(key), code) << "SDL key " << key;
    }
}
