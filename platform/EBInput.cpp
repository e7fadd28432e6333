#include "platform/EBInput.h"

#include <SDL2/SDL.h>

#include <cstring>

#include "platform/EBKeyMap.h"
#include "platform/EBSystemState.h"

namespace {
constexpr unsigned char kDown = 0x80;

struct InputState {
    unsigned char current[256] = {};
    unsigned char previous[256] = {};
    // Keys pressed anew since the update before: a release and a new press between two
    // updates must still trigger, though the key reads down in both snapshots.
    bool fresh[256] = {};
    // Physical client pixels; the queries convert to window pixels.
    int cursorX = 0;
    int cursorY = 0;
    int deltaX = 0;
    int deltaY = 0;
    EBInputSource source = nullptr;
};

InputState& State() {
    // Never destroyed: the engine's services close the window at exit, after other statics.
    static InputState* state = new InputState();
    return *state;
}

bool Down(unsigned char value) {
    return (value & kDown) != 0;
}
}  // namespace

int EBInputInit() {
    return 1;
}

void EBInputReset() {
    InputState& s = State();
    std::memset(s.current, 0, sizeof(s.current));
    std::memset(s.previous, 0, sizeof(s.previous));
    std::memset(s.fresh, 0, sizeof(s.fresh));
    EBDropLatchedPresses();
    s.cursorX = s.cursorY = 0;
    s.deltaX = s.deltaY = 0;
}

void EBInputUpdate() {
    InputState& s = State();
    std::memcpy(s.previous, s.current, sizeof(s.current));

    EBInputSnapshot snapshot{};
    snapshot.cursorX = s.cursorX;
    snapshot.cursorY = s.cursorY;
    if (s.source != nullptr) {
        // The window's own events must not leak into a scripted run.
        EBDropLatchedPresses();
        s.source(snapshot);
    } else {
        EBReadInputDevices(snapshot);
    }
    for (int key = 0; key < 256; ++key) {
        s.fresh[key] = Down(snapshot.pressed[key]);
        s.current[key] = s.fresh[key] ? kDown : snapshot.keys[key];
    }
    s.deltaX = snapshot.cursorX - s.cursorX;
    s.deltaY = snapshot.cursorY - s.cursorY;
    s.cursorX = snapshot.cursorX;
    s.cursorY = snapshot.cursorY;
}

bool EBInputCheckCurr(unsigned char key) {
    return Down(State().current[key]);
}
bool EBInputCheckPrev(unsigned char key) {
    return Down(State().previous[key]);
}

bool EBInputCheckTriggered(unsigned char key) {
    const InputState& s = State();
    return Down(s.current[key]) && (!Down(s.previous[key]) || s.fresh[key]);
}

bool EBInputCheckReleased(unsigned char key) {
    return Down(State().previous[key]) && !Down(State().current[key]);
}

void EBInputGetCursorPosition(int& x, int& y) {
    const EBPicturePlacement& placement = EBInternal::System().placement;
    x = EBPhysicalToWindowLength(placement, State().cursorX - placement.offsetX);
    y = EBPhysicalToWindowLength(placement, State().cursorY - placement.offsetY);
}

void EBInputGetCursorPositionDelta(int& x, int& y) {
    const EBPicturePlacement& placement = EBInternal::System().placement;
    x = EBPhysicalToWindowLength(placement, State().deltaX);
    y = EBPhysicalToWindowLength(placement, State().deltaY);
}

int EBInputShowCursor(int flag) {
    int& count = EBInternal::System().cursorShowCount;
    count += flag != 0 ? 1 : -1;
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
        SDL_ShowCursor(count >= 0 ? SDL_ENABLE : SDL_DISABLE);
    }
    return count;
}

void EBInputSetSource(EBInputSource source) {
    State().source = source;
}
