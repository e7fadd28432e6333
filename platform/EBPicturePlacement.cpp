#include "platform/EBPicturePlacement.h"

namespace {
EBPicturePlacement Unscaled(int windowWidth, int windowHeight) {
    return EBPicturePlacement{1.0f,        1.0f,         0, 0, windowWidth, windowHeight,
                              windowWidth, windowHeight, 1, 1};
}
}  // namespace

EBPicturePlacement EBPlacePicture(int windowWidth, int windowHeight, bool fullScreen,
                                  int screenWidth, int screenHeight) {
    if (!fullScreen || windowWidth <= 0 || windowHeight <= 0 || screenWidth <= 0 ||
        screenHeight <= 0) {
        return Unscaled(windowWidth, windowHeight);
    }
    // The smaller of the two axis ratios, compared exactly by cross-multiplying.
    const long long w = windowWidth;
    const long long h = windowHeight;
    const bool widthLimits = screenWidth * h <= screenHeight * w;
    const long long num = widthLimits ? screenWidth : screenHeight;
    const long long den = widthLimits ? w : h;

    EBPicturePlacement p{};
    p.scaleNumerator = num;
    p.scaleDenominator = den;
    p.scaleX = static_cast<float>(num) / static_cast<float>(den);
    p.scaleY = p.scaleX;
    p.width = static_cast<int>(w * num / den);
    p.height = static_cast<int>(h * num / den);
    p.offsetX = (screenWidth - p.width) / 2;
    p.offsetY = (screenHeight - p.height) / 2;
    p.surfaceWidth = screenWidth;
    p.surfaceHeight = screenHeight;
    return p;
}

int EBPhysicalToWindowLength(const EBPicturePlacement& placement, int physical) {
    // Integer division truncates toward zero, as the readings require.
    return static_cast<int>(physical * placement.scaleDenominator / placement.scaleNumerator);
}
