#include "platform/EBKeyMap.h"

#include <SDL2/SDL.h>

#include <cstring>

namespace {
constexpr unsigned char kDown = 0x80;

struct KeyPair {
    SDL_Keycode key;
    unsigned char vk;
};

constexpr KeyPair kNamedKeys[] = {
    {SDLK_BACKSPACE, 0x08},    {SDLK_TAB, 0x09},          {SDLK_CLEAR, 0x0C},
    {SDLK_RETURN, 0x0D},       {SDLK_KP_ENTER, 0x0D},     {SDLK_PAUSE, 0x13},
    {SDLK_CAPSLOCK, 0x14},     {SDLK_ESCAPE, 0x1B},       {SDLK_SPACE, 0x20},
    {SDLK_PAGEUP, 0x21},       {SDLK_PAGEDOWN, 0x22},     {SDLK_END, 0x23},
    {SDLK_HOME, 0x24},         {SDLK_LEFT, 0x25},         {SDLK_UP, 0x26},
    {SDLK_RIGHT, 0x27},        {SDLK_DOWN, 0x28},         {SDLK_PRINTSCREEN, 0x2C},
    {SDLK_INSERT, 0x2D},       {SDLK_DELETE, 0x2E},       {SDLK_LGUI, 0x5B},
    {SDLK_RGUI, 0x5C},         {SDLK_APPLICATION, 0x5D},  {SDLK_KP_MULTIPLY, 0x6A},
    {SDLK_KP_PLUS, 0x6B},      {SDLK_KP_MINUS, 0x6D},     {SDLK_KP_PERIOD, 0x6E},
    {SDLK_KP_DIVIDE, 0x6F},    {SDLK_NUMLOCKCLEAR, 0x90}, {SDLK_SCROLLLOCK, 0x91},
    {SDLK_LSHIFT, 0xA0},       {SDLK_RSHIFT, 0xA1},       {SDLK_LCTRL, 0xA2},
    {SDLK_RCTRL, 0xA3},        {SDLK_LALT, 0xA4},         {SDLK_RALT, 0xA5},
    {SDLK_SEMICOLON, 0xBA},    {SDLK_EQUALS, 0xBB},       {SDLK_COMMA, 0xBC},
    {SDLK_MINUS, 0xBD},        {SDLK_PERIOD, 0xBE},       {SDLK_SLASH, 0xBF},
    {SDLK_BACKQUOTE, 0xC0},    {SDLK_LEFTBRACKET, 0xDB},  {SDLK_BACKSLASH, 0xDC},
    {SDLK_RIGHTBRACKET, 0xDD}, {SDLK_QUOTE, 0xDE},
};

constexpr SDL_Keycode kKeypadDigits[] = {SDLK_KP_0, SDLK_KP_1, SDLK_KP_2, SDLK_KP_3, SDLK_KP_4,
                                         SDLK_KP_5, SDLK_KP_6, SDLK_KP_7, SDLK_KP_8, SDLK_KP_9};

unsigned char RangeKey(int key) {
    if (key >= SDLK_a && key <= SDLK_z) {
        return static_cast<unsigned char>(0x41 + (key - SDLK_a));
    }
    if (key >= SDLK_0 && key <= SDLK_9) {
        return static_cast<unsigned char>(0x30 + (key - SDLK_0));
    }
    if (key >= SDLK_F1 && key <= SDLK_F12) {
        return static_cast<unsigned char>(0x70 + (key - SDLK_F1));
    }
    for (int i = 0; i < 10; ++i) {
        if (key == kKeypadDigits[i]) {
            return static_cast<unsigned char>(0x60 + i);
        }
    }
    return 0;
}

// Keys and buttons that went down in events since the last device read.
unsigned char g_latched[256] = {};

unsigned char VirtualKeyOfButton(Uint8 button) {
    switch (button) {
        case SDL_BUTTON_LEFT:
            return 0x01;
        case SDL_BUTTON_RIGHT:
            return 0x02;
        case SDL_BUTTON_MIDDLE:
            return 0x04;
        case SDL_BUTTON_X1:
            return 0x05;
        case SDL_BUTTON_X2:
            return 0x06;
        default:
            return 0;
    }
}

// Either side of a modifier also counts as the side-less key.
void AddSidelessModifiers(unsigned char keys[256]) {
    keys[0x10] |= keys[0xA0] | keys[0xA1];
    keys[0x11] |= keys[0xA2] | keys[0xA3];
    keys[0x12] |= keys[0xA4] | keys[0xA5];
}

void ReadKeyboard(unsigned char keys[256]) {
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    for (int scancode = 0; scancode < count; ++scancode) {
        if (state[scancode] == 0) {
            continue;
        }
        const SDL_Keycode key = SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(scancode));
        const unsigned char vk = EBVirtualKeyFromKeycode(key);
        if (vk != 0) {
            keys[vk] = kDown;
        }
    }
    AddSidelessModifiers(keys);
}

void ReadMouse(EBInputSnapshot& snapshot) {
    const Uint32 buttons = SDL_GetMouseState(&snapshot.cursorX, &snapshot.cursorY);
    const struct {
        Uint32 mask;
        unsigned char vk;
    } kButtons[] = {{SDL_BUTTON_LMASK, 0x01},
                    {SDL_BUTTON_RMASK, 0x02},
                    {SDL_BUTTON_MMASK, 0x04},
                    {SDL_BUTTON_X1MASK, 0x05},
                    {SDL_BUTTON_X2MASK, 0x06}};
    for (const auto& button : kButtons) {
        if ((buttons & button.mask) != 0) {
            snapshot.keys[button.vk] = kDown;
        }
    }
}
}  // namespace

unsigned char EBVirtualKeyFromKeycode(int sdlKeycode) {
    for (const KeyPair& pair : kNamedKeys) {
        if (pair.key == sdlKeycode) {
            return pair.vk;
        }
    }
    return RangeKey(sdlKeycode);
}

void EBReadInputDevices(EBInputSnapshot& snapshot) {
    std::memset(snapshot.keys, 0, sizeof(snapshot.keys));
    std::memcpy(snapshot.pressed, g_latched, sizeof(snapshot.pressed));
    EBDropLatchedPresses();
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        return;
    }
    ReadKeyboard(snapshot.keys);
    ReadMouse(snapshot);
}

void EBLatchInputEvent(const SDL_Event& event) {
    unsigned char vk = 0;
    if (event.type == SDL_KEYDOWN && event.key.repeat == 0) {
        vk = EBVirtualKeyFromKeycode(event.key.keysym.sym);
    } else if (event.type == SDL_MOUSEBUTTONDOWN) {
        vk = VirtualKeyOfButton(event.button.button);
    }
    if (vk != 0) {
        g_latched[vk] = kDown;
        AddSidelessModifiers(g_latched);
    }
}

void EBDropLatchedPresses() {
    std::memset(g_latched, 0, sizeof(g_latched));
}
