#pragma once
// Where the window-sized picture sits on the screen. Windowed it fills the window; in full
// screen it is scaled uniformly to the largest size that fits, centred between black bars.

struct EBPicturePlacement {
    // The one scale, in single precision, for the projection (equal on both axes).
    float scaleX;
    float scaleY;
    // Black-bar widths left and top, in physical pixels.
    int offsetX;
    int offsetY;
    // The picture in physical pixels, and the surface it is placed on.
    int width;
    int height;
    int surfaceWidth;
    int surfaceHeight;
    // The exact scale as a ratio, so cursor readings divide without rounding drift.
    long long scaleNumerator;
    long long scaleDenominator;
};

EBPicturePlacement EBPlacePicture(int windowWidth, int windowHeight, bool fullScreen,
                                  int screenWidth, int screenHeight);

// A physical length in window pixels of the start-up size, truncated toward zero.
int EBPhysicalToWindowLength(const EBPicturePlacement& placement, int physical);
