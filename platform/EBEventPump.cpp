#include <SDL2/SDL.h>

#include "platform/EBGfxRecorder.h"
#include "platform/EBKeyMap.h"
#include "platform/EBSystemState.h"

namespace EBInternal {

namespace {
void HandleWindowEvent(const SDL_WindowEvent& event) {
    // Another window of this process (a test's, say) taking the focus is not ours to track.
    if (System().window == nullptr || event.windowID != SDL_GetWindowID(System().window)) {
        return;
    }
    switch (event.event) {
        case SDL_WINDOWEVENT_CLOSE:
            System().windowExists = 0;
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            System().windowActive = 1;
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            System().windowActive = 0;
            break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            // The window system may have lost what the window showed: the next frame draws.
            ForgetShownFrame();
            break;
        default:
            break;
    }
}
}  // namespace

void PumpEvents() {
    if (!System().videoStarted) {
        return;
    }
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        if (event.type == SDL_QUIT) {
            System().windowExists = 0;
        } else if (event.type == SDL_WINDOWEVENT) {
            HandleWindowEvent(event.window);
        } else {
            EBLatchInputEvent(event);
        }
    }
}

}  // namespace EBInternal
