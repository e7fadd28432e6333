#include <SDL2/SDL.h>

#include "platform/EBGfxState.h"
#include "platform/EBSystem.h"
#include "platform/EBSystemState.h"

using EBInternal::System;

namespace {
EBPicturePlacement WindowedPlacement() {
    return EBPlacePicture(System().windowWidth, System().windowHeight, false, 0, 0);
}

bool EnterFullScreen() {
    if (SDL_SetWindowFullscreen(System().window, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
        System().placement = WindowedPlacement();
        return false;
    }
    int screenWidth = 0;
    int screenHeight = 0;
    EBSysGetScreenSize(screenWidth, screenHeight);
    System().placement = EBPlacePicture(System().windowWidth, System().windowHeight, true,
                                        screenWidth, screenHeight);
    return true;
}

bool LeaveFullScreen() {
    System().placement = WindowedPlacement();
    const bool left = SDL_SetWindowFullscreen(System().window, 0) == 0;
    EBInternal::PlaceWindowCentred();
    SDL_ShowWindow(System().window);
    return left;
}
}  // namespace

int EBToogleFullScreen(unsigned char flag) {
    System().fullScreen = flag;
    if (System().window == nullptr) {
        return 0;
    }
    const bool done = flag != 0 ? EnterFullScreen() : LeaveFullScreen();
    // The projection depends on the placement: have the next mode switch send it again.
    EBInternal::ReleaseProgram();
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
