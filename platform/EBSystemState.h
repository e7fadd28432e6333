#pragma once
// Module state shared by the system, input and graphics parts of the platform library.
#include "platform/EBPicturePlacement.h"

struct SDL_Window;

namespace EBInternal {

struct SystemState {
    void* instance = nullptr;
    SDL_Window* window = nullptr;
    bool videoStarted = false;
    int windowExists = 0;
    int windowActive = 0;
    unsigned char fullScreen = 0;
    // The start-up client size; full screen never changes it.
    int windowWidth = 0;
    int windowHeight = 0;
    EBPicturePlacement placement = EBPlacePicture(0, 0, false, 0, 0);
    // Mirrors the display counter of a desktop cursor: shown while it is 0 or more.
    int cursorShowCount = 0;
};

SystemState& System();

// Drains the window's event queue, tracking close and focus.
void PumpEvents();

// Creates the window titled "Ember Engine", centred on the primary screen; false on failure.
bool CreateMainWindow(int show, int width, int height);
void DestroyMainWindow();
// Windowed placement: the start-up size centred on the window's screen.
void PlaceWindowCentred();

// The size in pixels of the surface GL really draws into (0 x 0 without a window).
void ReadDrawableSize(int& width, int& height);
// Fits the picture to the window's real drawable size; when that differs from the placement
// in use, or `always`, places it anew and has the next mode switch send the projection.
void FitPictureToWindow(bool always);

}  // namespace EBInternal
