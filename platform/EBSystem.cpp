#include "platform/EBSystem.h"

#include <SDL2/SDL.h>

#include <cstdio>
#include <string>

#include "platform/EBDriverPin.h"
#include "platform/EBFatal.h"
#include "platform/EBGfxState.h"
#include "platform/EBGraphics.h"
#include "platform/EBInput.h"
#include "platform/EBSystemState.h"

using EBInternal::System;

namespace {
constexpr double kVersion = 3.05;

// Without a display the program cannot do anything useful: say why and how to run headless.
[[noreturn]] void NoDisplay(const std::string& what) {
    const std::string message = "Ember Engine: " + what + " (" + SDL_GetError() +
                                ").\nNo display is available? To run without one, set "
                                "SDL_VIDEODRIVER=offscreen.\n";
    std::fflush(stdout);
    std::fputs(message.c_str(), stderr);
    std::fflush(stderr);
    EBFatal(EBFatalKind::Halt, message);
}

// True when SDL_VIDEODRIVER (a name or a comma-separated list) names `driver`.
bool DriverNamed(const char* driver) {
    const char* named = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    if (named == nullptr) {
        return false;
    }
    const std::string list = named;
    for (std::size_t start = 0; start <= list.size();) {
        std::size_t end = list.find(',', start);
        end = end == std::string::npos ? list.size() : end;
        if (SDL_strcasecmp(list.substr(start, end - start).c_str(), driver) == 0) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

// SDL falls back to a driver without a screen when no display answers; the game would then
// run unseen. Such a driver is used only when asked for by name.
bool ShowsNothingUnasked() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr) {
        return false;
    }
    const bool screenless =
        SDL_strcasecmp(driver, "offscreen") == 0 || SDL_strcasecmp(driver, "dummy") == 0;
    return screenless && !DriverNamed(driver);
}

void StartVideo() {
    EBPinGraphicsDriver();
    // A full-screen game must not minimise itself when another window takes the focus.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        NoDisplay("cannot start the video system");
    }
    if (ShowsNothingUnasked()) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_SetError("no X11 or Wayland display could be opened");
        NoDisplay("cannot start the video system");
    }
    System().videoStarted = true;
}
}  // namespace

int EBSysInit(EBInstance instance, int show, int width, int height, int /*createConsole*/,
              int frameRate, EBWindowProc /*windowProc*/) {
    System().instance = instance;
    std::printf("Ember Engine version: %2.2f\n\n", kVersion);
    std::fflush(stdout);

    StartVideo();
    if (!EBInternal::CreateMainWindow(show, width, height)) {
        NoDisplay("cannot create the window");
    }
    System().windowExists = 1;
    System().windowActive = show != 0 ? 1 : 0;

    if (EBGfxInit(width, height) == 0) {
        NoDisplay("cannot create an OpenGL 2.0 context");
    }
    EBFrameRateControllerInit(frameRate);
    return 1;
}

void EBSysReset() {
    EBFrameRateControllerReset();
    EBInputReset();
}

void EBSysUpdate() {
    EBInternal::PumpEvents();
}

void EBSysFrameStart() {
    EBFrameRateControllerStart();
    EBGfxStart();
}

void EBSysFrameEnd() {
    EBGfxEnd();
    EBFrameRateControllerEnd();
    EBInternal::PumpEvents();
}

void EBSysExit() {
    EBInternal::ShutDownGraphics();
    EBInternal::DestroyMainWindow();
    if (System().videoStarted) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    System() = EBInternal::SystemState{};
}
