#include <SDL2/SDL.h>

#include "platform/EBSystem.h"
#include "platform/EBSystemState.h"

namespace EBInternal {

namespace {
constexpr const char* kWindowTitle = "Ember Engine";

void RequestGLContext() {
    // A 2.0 compatibility context: the renderer is written against the 2.0 shader API.
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
}

SDL_Rect ScreenBounds(int display) {
    SDL_Rect bounds{0, 0, 0, 0};
    if (SDL_GetDisplayBounds(display, &bounds) != 0) {
        bounds = SDL_Rect{0, 0, 0, 0};
    }
    return bounds;
}

int WindowDisplay() {
    const int display = System().window != nullptr ? SDL_GetWindowDisplayIndex(System().window) : 0;
    return display < 0 ? 0 : display;
}
}  // namespace

bool CreateMainWindow(int show, int width, int height) {
    RequestGLContext();
    const SDL_Rect screen = ScreenBounds(0);
    const Uint32 flags = SDL_WINDOW_OPENGL | (show != 0 ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN);
    System().window = SDL_CreateWindow(kWindowTitle, screen.x + screen.w / 2 - width / 2,
                                       screen.y + screen.h / 2 - height / 2, width, height, flags);
    return System().window != nullptr;
}

void DestroyMainWindow() {
    if (System().window != nullptr) {
        SDL_DestroyWindow(System().window);
        System().window = nullptr;
    }
    System().windowExists = 0;
    System().windowActive = 0;
}

void PlaceWindowCentred() {
    SDL_Window* window = System().window;
    const SDL_Rect screen = ScreenBounds(WindowDisplay());
    const int width = System().windowWidth;
    const int height = System().windowHeight;
    SDL_SetWindowSize(window, width, height);
    SDL_SetWindowPosition(window, screen.x + screen.w / 2 - width / 2,
                          screen.y + screen.h / 2 - height / 2);
}

}  // namespace EBInternal

using EBInternal::System;

EBWindowHandle EBSysGetWindowHandle() {
    return System().window;
}

int EBSysSetWindowTitle(const char* title) {
    if (System().window == nullptr || title == nullptr) {
        return 0;
    }
    SDL_SetWindowTitle(System().window, title);
    return 1;
}

int EBSysDoesWindowExist() {
    return System().windowExists;
}

int EBSysIsWindowActive() {
    return System().windowActive;
}

void EBSysSetWindowActive(int active) {
    System().windowActive = active != 0 ? 1 : 0;
}

void EBSysSetWindowTopLeft() {
    // A full-screen window already covers its screen from the corner.
    if (System().window == nullptr || System().fullScreen != 0) {
        return;
    }
    const SDL_Rect screen = EBInternal::ScreenBounds(EBInternal::WindowDisplay());
    SDL_SetWindowPosition(System().window, screen.x, screen.y);
}

void EBSysGetScreenSize(int& width, int& height) {
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(EBInternal::WindowDisplay(), &mode) == 0) {
        width = mode.w;
        height = mode.h;
        return;
    }
    const SDL_Rect screen = EBInternal::ScreenBounds(EBInternal::WindowDisplay());
    width = screen.w;
    height = screen.h;
}

int EBGetWindowWidth() {
    return System().windowWidth;
}
int EBGetWindowHeight() {
    return System().windowHeight;
}
