#include <SDL2/SDL.h>

#include "platform/EBGfxRecorder.h"
#include "platform/EBGfxState.h"
#include "platform/EBSystem.h"
#include "platform/EBSystemState.h"

using EBInternal::System;

namespace {
bool EnterFullScreen() {
    return SDL_SetWindowFullscreen(System().window, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
}

bool LeaveFullScreen() {
    const bool left = SDL_SetWindowFullscreen(System().window, 0) == 0;
    EBInternal::PlaceWindowCentred();
    SDL_ShowWindow(System().window);
    return left;
}
}  // namespace

namespace EBInternal {

void FitPictureToWindow(bool always) {
    SystemState& s = System();
    int width = 0;
    int height = 0;
    ReadDrawableSize(width, height);
    if (width <= 0 || height <= 0) {
        width = s.windowWidth;
        height = s.windowHeight;
    }
    if (!always && width == s.placement.surfaceWidth && height == s.placement.surfaceHeight) {
        return;
    }
    // Full screen or not, the picture goes on the surface the window really got: a desktop
    // may refuse the switch or size the window otherwise. At the start-up size it is unscaled.
    s.placement = EBPlacePicture(s.windowWidth, s.windowHeight, true, width, height);
    // A new surface shows nothing of the pictures drawn before.
    ForgetShownFrame();
    ReleaseProgram();
}

}  // namespace EBInternal

int EBToogleFullScreen(unsigned char flag) {
    System().fullScreen = flag;
    if (System().window == nullptr) {
        return 0;
    }
    const bool done = flag != 0 ? EnterFullScreen() : LeaveFullScreen();
    EBInternal::FitPictureToWindow(true);
    return done ? 1 : 0;
}

float EBGetCursorScaleX() {
    return System().placement.scaleX;
}
float EBGetCursorScaleY() {
    return System().placement.scaleY;
}
int EBGetPictureOffsetX() {
    return System().placement.offsetX;
}
int EBGetPictureOffsetY() {
    return System().placement.offsetY;
}
