#pragma once
// System module of the platform library: window, message pump, full screen and the
// frame-rate controller. Free functions over module state, one window per process.

using EBInstance = void*;
using EBWindowHandle = void*;
// Kept for the call shape; on SDL every window uses the library's own event handling.
using EBWindowProc = long (*)(EBWindowHandle, unsigned, unsigned long, long);

// Prints the banner, opens the window and its OpenGL context. Without a display it reports
// how to run headless and halts.
int EBSysInit(EBInstance instance, int show, int width, int height, int createConsole,
              int frameRate, EBWindowProc windowProc);
void EBSysReset();
void EBSysUpdate();
void EBSysFrameStart();
void EBSysFrameEnd();
void EBSysExit();
EBWindowHandle EBSysGetWindowHandle();
int EBSysSetWindowTitle(const char* title);
int EBSysDoesWindowExist();
// 1 while the window has the keyboard focus, 0 once another window has taken it.
int EBSysIsWindowActive();
// Sets the focus flag as the window system's next focus change would; scripted runs lose and
// regain the focus through it. A real focus change later overrides it.
void EBSysSetWindowActive(int active);
// Places the window at the top-left corner of its screen, keeping its size.
void EBSysSetWindowTopLeft();
int EBToogleFullScreen(unsigned char flag);
// The desktop size of the screen the window is on.
void EBSysGetScreenSize(int& width, int& height);
int EBGetWindowWidth();
int EBGetWindowHeight();

// Full-screen placement of the window-sized picture: one uniform scale (the same on both
// axes) and, on a screen whose shape differs from the window's, the black-bar widths.
float EBGetCursorScaleX();
float EBGetCursorScaleY();
int EBGetPictureOffsetX();
int EBGetPictureOffsetY();

int EBFrameRateControllerInit(int frameRate);
void EBFrameRateControllerReset();
void EBFrameRateControllerStart();
void EBFrameRateControllerEnd();
double EBFrameRateControllerGetFrameTime();
unsigned EBFrameRateControllerGetFrameCount();
