#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "platform/EBInput.h"
#include "platform/EBKeyMap.h"
#include "platform/EBSystem.h"
#include "tests/platform/PlatformTestSupport.h"

namespace {
constexpr unsigned char kLeftButton = 0x01;
constexpr unsigned char kKeyA = 0x41;
constexpr unsigned char kKeyP = 0x50;
constexpr unsigned char kRightButton = 0x02;

// What the scripted source reports on the next update.
struct Script {
    bool leftDown = false;
    bool aDown = false;
    bool aPressed = false;
} g_script;

void ScriptedSource(EBInputSnapshot& snapshot) {
    std::memset(snapshot.keys, 0, sizeof(snapshot.keys));
    snapshot.keys[kLeftButton] = g_script.leftDown ? 0x80 : 0x00;
    // Only bit 7 means down: the low toggle bit alone must read as up.
    snapshot.keys[kKeyA] = g_script.aDown ? 0x81 : 0x01;
    snapshot.pressed[kKeyA] = g_script.aPressed ? 0x80 : 0x00;
}

void Frame(bool a, bool left, bool aPressed = false) {
    g_script = Script{left, a, aPressed};
    EBInputUpdate();
}

void PushButton(Uint32 type, Uint8 button) {
    SDL_Event event{};
    event.type = type;
    event.button.button = button;
    event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

void PushKey(Uint32 type, SDL_Keycode key, Uint8 repeat = 0) {
    SDL_Event event{};
    event.type = type;
    event.key.keysym.sym = key;
    event.key.repeat = repeat;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}
}  // namespace

TEST(ScriptedInput, OnlyBitSevenMeansDownAndAResetMakesHeldKeysTriggerAgain) {
    EBInputSetSource(&ScriptedSource);
    EBInputReset();
    Frame(true, true);
    EXPECT_TRUE(EBInputCheckTriggered(kKeyA));
    Frame(false, true);
    EXPECT_FALSE(EBInputCheckCurr(kKeyA)) << "the toggle bit alone";
    EXPECT_FALSE(EBInputCheckTriggered(kLeftButton)) << "held";
    EBInputReset();
    Frame(false, true);
    EXPECT_TRUE(EBInputCheckTriggered(kLeftButton));
    EBInputSetSource(nullptr);
}

// A press is seen even when it never shows in the key state a snapshot reads.
TEST(ScriptedInput, APressBetweenUpdatesTriggersOnceAndAFreshPressOverAHeldKeyTriggersAgain) {
    EBInputSetSource(&ScriptedSource);
    EBInputReset();
    Frame(false, false, true);
    EXPECT_TRUE(EBInputCheckTriggered(kKeyA));
    EXPECT_TRUE(EBInputCheckCurr(kKeyA)) << "a quick press reads held for its update";
    Frame(false, false);
    EXPECT_TRUE(EBInputCheckReleased(kKeyA));
    EXPECT_FALSE(EBInputCheckTriggered(kKeyA));
    Frame(true, false);
    EXPECT_TRUE(EBInputCheckTriggered(kKeyA));
    Frame(true, false);
    EXPECT_FALSE(EBInputCheckTriggered(kKeyA)) << "held";
    Frame(true, false, true);
    EXPECT_TRUE(EBInputCheckTriggered(kKeyA)) << "released and pressed again between updates";
    Frame(false, false, true);
    EXPECT_TRUE(EBInputCheckTriggered(kKeyA)) << "a second quick press in a row";
    EBInputSetSource(nullptr);
}

using DeviceInput = PlatformTest::WindowTest;

// SDL's key and button state never sees pushed events: only the latch can report them.
TEST_F(DeviceInput, PressesAndReleasesBetweenFramesAreLatchedFromTheEvents) {
    EBInputSetSource(nullptr);
    EBInputReset();
    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    PushKey(SDL_KEYDOWN, SDLK_p);
    PushKey(SDL_KEYUP, SDLK_p);
    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
    PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT);
    PushKey(SDL_KEYDOWN, SDLK_a, 1);  // a key repeat is no press
    EBSysUpdate();
    EBInputUpdate();
    for (unsigned char key : {kLeftButton, kRightButton, kKeyP}) {
        EXPECT_TRUE(EBInputCheckTriggered(key)) << int(key);
        EXPECT_TRUE(EBInputCheckCurr(key)) << int(key);
    }
    EXPECT_FALSE(EBInputCheckCurr(kKeyA));
    EBSysUpdate();
    EBInputUpdate();
    for (unsigned char key : {kLeftButton, kRightButton, kKeyP}) {
        EXPECT_FALSE(EBInputCheckCurr(key)) << int(key);
        EXPECT_TRUE(EBInputCheckReleased(key)) << int(key);
    }

    // Under a scripted source the window's events are dropped, not kept for later.
    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    EBSysUpdate();
    EBInputSetSource(&ScriptedSource);
    Frame(false, false);
    EBInputSetSource(nullptr);
    EBInputUpdate();
    EXPECT_FALSE(EBInputCheckCurr(kLeftButton));
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
