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
} g_script;

void ScriptedSource(EBInputSnapshot& snapshot) {
    std::memset(snapshot.keys, 0, sizeof(snapshot.keys));
    snapshot.keys[kLeftButton] = g_script.leftDown ? 0x80 : 0x00;
    // Only bit 7 means down: the low toggle bit alone must read as up.
    snapshot.keys[kKeyA] = g_script.aDown ? 0x81 : 0x01;
}

void Frame(bool a, bool left) {
    g_script = Script{left, a};
    EBInputUpdate();
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
