#include <gtest/gtest.h>

#include "platform/EBPicturePlacement.h"

TEST(PicturePlacement, WindowedIsUnscaledWhateverTheScreen) {
    const EBPicturePlacement p = EBPlacePicture(1600, 900, false, 1920, 1080);
    EXPECT_EQ(p.scaleX, 1.0f);
    EXPECT_EQ(p.scaleY, 1.0f);
    EXPECT_EQ(p.offsetX, 0);
    EXPECT_EQ(p.offsetY, 0);
    EXPECT_EQ(p.width, 1600);
    EXPECT_EQ(p.height, 900);
    EXPECT_EQ(p.surfaceHeight, 900);
    EXPECT_EQ(EBPhysicalToWindowLength(p, -37), -37);
}

TEST(PicturePlacement, SameShapeScreenStretchesWithoutBars) {
    const EBPicturePlacement p = EBPlacePicture(1600, 900, true, 1920, 1080);
    EXPECT_EQ(p.scaleX, 1920.0f / 1600.0f);
    EXPECT_EQ(p.scaleY, 1080.0f / 900.0f);
    EXPECT_EQ(p.offsetX, 0);
    EXPECT_EQ(p.offsetY, 0);
    EXPECT_EQ(p.width, 1920);
    EXPECT_EQ(p.height, 1080);
    // Exact pixels do not lose one to rounding; others truncate toward zero.
    EXPECT_EQ(EBPhysicalToWindowLength(p, 960), 800);
    EXPECT_EQ(EBPhysicalToWindowLength(p, 540), 450);
    EXPECT_EQ(EBPhysicalToWindowLength(p, 959), 799);
    EXPECT_EQ(EBPhysicalToWindowLength(p, 1), 0);
    EXPECT_EQ(EBPhysicalToWindowLength(p, -1), 0);
    EXPECT_EQ(EBPhysicalToWindowLength(p, -7), -5);

    const EBPicturePlacement half = EBPlacePicture(1600, 900, true, 800, 450);
    EXPECT_EQ(half.scaleX, 0.5f);
    EXPECT_EQ(EBPhysicalToWindowLength(half, 3), 6);
}

TEST(PicturePlacement, OtherShapesKeepTheAspectBetweenBlackBars) {
    const EBPicturePlacement tall = EBPlacePicture(1600, 900, true, 1920, 1200);
    EXPECT_EQ(tall.scaleX, 1.2f);
    EXPECT_EQ(tall.scaleY, 1.2f);
    EXPECT_EQ(tall.width, 1920);
    EXPECT_EQ(tall.height, 1080);
    EXPECT_EQ(tall.offsetX, 0);
    EXPECT_EQ(tall.offsetY, 60);

    const EBPicturePlacement wide = EBPlacePicture(1600, 900, true, 2560, 1080);
    EXPECT_EQ(wide.scaleX, 1.2f);
    EXPECT_EQ(wide.width, 1920);
    EXPECT_EQ(wide.height, 1080);
    EXPECT_EQ(wide.offsetX, 320);
    EXPECT_EQ(wide.offsetY, 0);
    EXPECT_EQ(wide.surfaceWidth, 2560);

    const EBPicturePlacement square = EBPlacePicture(1600, 900, true, 1024, 768);
    EXPECT_FLOAT_EQ(square.scaleX, 0.64f);
    EXPECT_EQ(square.width, 1024);
    EXPECT_EQ(square.height, 576);
    EXPECT_EQ(square.offsetY, 96);
    EXPECT_EQ(EBPhysicalToWindowLength(square, 512 - square.offsetX), 800);
    EXPECT_EQ(EBPhysicalToWindowLength(square, 384 - square.offsetY), 450);

    // Nearly 16:9: the height limits, the width truncates, the odd pixel stays a bar.
    const EBPicturePlacement laptop = EBPlacePicture(1600, 900, true, 1366, 768);
    EXPECT_EQ(laptop.width, 1365);
    EXPECT_EQ(laptop.height, 768);
    EXPECT_EQ(laptop.offsetX, 0);
    EXPECT_EQ(laptop.offsetY, 0);
}

TEST(PicturePlacement, DegenerateSizesStayUnscaled) {
    EXPECT_EQ(EBPlacePicture(0, 0, true, 1920, 1080).scaleX, 1.0f);
    EXPECT_EQ(EBPlacePicture(1600, 900, true, 0, 0).scaleY, 1.0f);
}
