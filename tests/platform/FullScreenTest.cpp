#include <gtest/gtest.h>

#include <cmath>

#include "platform/EBInput.h"
#include "platform/EBPicturePlacement.h"
#include "platform/EBSystem.h"
#include "support/FatalCatcher.h"
#include "tests/platform/PlatformTestSupport.h"

using namespace PlatformTest;

namespace {
// The game's window size, on whatever screen SDL reports.
class FullScreen : public WindowTest {
protected:
    FullScreen() : WindowTest(1600, 900) {}
};
}  // namespace

TEST_F(FullScreen, PictureKeepsItsShapeBetweenBlackBarsUntilLeft) {
    int screenWidth = 0, screenHeight = 0;
    EBSysGetScreenSize(screenWidth, screenHeight);
    ASSERT_GT(screenWidth, 0);
    ASSERT_LE(screenWidth, 1600);  // the offscreen surface is the window's size
    ASSERT_LE(screenHeight, 900);
    const EBPicturePlacement expected = EBPlacePicture(1600, 900, true, screenWidth, screenHeight);
    const double scale = std::min(screenWidth / 1600.0, screenHeight / 900.0);
    EXPECT_NE(scale, 1.0);

    ASSERT_EQ(EBToogleFullScreen(1), 1);
    EXPECT_EQ(EBGetCursorScaleX(), expected.scaleX);
    EXPECT_EQ(EBGetCursorScaleY(), expected.scaleX);
    EXPECT_EQ(EBGetPictureOffsetX(), expected.offsetX);
    EXPECT_EQ(EBGetPictureOffsetY(), expected.offsetY);
    EXPECT_EQ(EBGetWindowWidth(), 1600);  // the logical size never changes
    const int pictureWidth = static_cast<int>(1600 * scale);
    const int pictureHeight = static_cast<int>(900 * scale);
    const int left = EBGetPictureOffsetX();
    const int top = EBGetPictureOffsetY();

    // The whole logical picture in white.
    EBSysFrameEnd();
    EBSysFrameStart();
    EBGfxVertexList* picture = Square(1.0f, kVertexWhite);
    EBGfxVertexList* square = Square(50.0f, kVertexRed);
    EBGfxSetRenderMode(1);
    const float stretch[9] = {800, 0, 0, 0, 450, 0, 0, 0, 1};
    EBGfxSetTransform(stretch);
    EBGfxMeshDraw(picture, 3);
    const Frame f(screenWidth, screenHeight);
    ASSERT_TRUE(f.ok());

    // Bars stay black on both sides of the picture along the shorter axis.
    const int midX = left + pictureWidth / 2;
    const int midY = top + pictureHeight / 2;
    EXPECT_EQ(f.At(left + 1, top + 1), kWhite);
    EXPECT_EQ(f.At(left + pictureWidth - 2, top + pictureHeight - 2), kWhite);
    if (top > 0) {
        EXPECT_EQ(f.At(midX, top - 2), kBlack);
        EXPECT_EQ(f.At(midX, top + pictureHeight + 1), kBlack);
    }
    if (left > 0) {
        EXPECT_EQ(f.At(left - 2, midY), kBlack);
        EXPECT_EQ(f.At(left + pictureWidth + 1, midY), kBlack);
    }
    EXPECT_EQ(TestSupport::FatalMessageOf([] { EBSysFrameEnd(); }), "");

    // Windowed again: unscaled, world (0, 0) at the centre of the 1600 x 900 picture.
    ASSERT_EQ(EBToogleFullScreen(0), 1);
    EXPECT_EQ(EBGetCursorScaleX(), 1.0f);
    EXPECT_EQ(EBGetCursorScaleY(), 1.0f);
    EXPECT_EQ(EBGetPictureOffsetX(), 0);
    EXPECT_EQ(EBGetPictureOffsetY(), 0);
    EBSysFrameStart();
    EBGfxSetRenderMode(1);
    EBGfxSetPosition(0.0f, 0.0f);
    EBGfxMeshDraw(square, 3);
    const Frame windowed(1600, 900);
    EXPECT_EQ(windowed.At(750, 400), kRed);
    EXPECT_EQ(windowed.At(849, 499), kRed);
    EXPECT_EQ(windowed.At(749, 400), kBlack);
    EBGfxMeshFree(square);
    EBGfxMeshFree(picture);
}
