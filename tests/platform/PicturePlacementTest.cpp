#include <gtest/gtest.h>

#include "platform/EBPicturePlacement.h"

TEST(PicturePlacement, FullScreenScalesUniformlyBetweenCentredBlackBars) {
    struct Case {
        int screenWidth, screenHeight;
        bool fullScreen;
        float scale;
        int width, height, offsetX, offsetY;
    };
    const Case cases[] = {
        {1920, 1080, false, 1.0f, 1600, 900, 0, 0},  // windowed: unscaled whatever the screen
        {1920, 1080, true, 1.2f, 1920, 1080, 0, 0},  // the same shape: no bars
        {800, 450, true, 0.5f, 800, 450, 0, 0},
        {1920, 1200, true, 1.2f, 1920, 1080, 0, 60},   // taller: bars above and below
        {2560, 1080, true, 1.2f, 1920, 1080, 320, 0},  // wider: bars left and right
        {1024, 768, true, 0.64f, 1024, 576, 0, 96},
        // Nearly 16:9: the height limits, the width truncates, the odd pixel stays a bar.
        {1366, 768, true, 768.0f / 900.0f, 1365, 768, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.screenWidth) + " x " + std::to_string(c.screenHeight));
        const EBPicturePlacement p =
            EBPlacePicture(1600, 900, c.fullScreen, c.screenWidth, c.screenHeight);
        EXPECT_EQ(p.scaleX, c.scale);
        EXPECT_EQ(p.scaleY, p.scaleX);
        EXPECT_EQ(p.width, c.width);
        EXPECT_EQ(p.height, c.height);
        EXPECT_EQ(p.offsetX, c.offsetX);
        EXPECT_EQ(p.offsetY, c.offsetY);
        EXPECT_EQ(p.surfaceWidth, c.fullScreen ? c.screenWidth : 1600);
        EXPECT_EQ(p.surfaceHeight, c.fullScreen ? c.screenHeight : 900);
    }
    // Degenerate sizes stay unscaled.
    EXPECT_EQ(EBPlacePicture(0, 0, true, 1920, 1080).scaleX, 1.0f);
    EXPECT_EQ(EBPlacePicture(1600, 900, true, 0, 0).scaleY, 1.0f);
}
