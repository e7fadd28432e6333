#include <gtest/gtest.h>

#include "platform/EBInput.h"
#include "platform/EBPicturePlacement.h"
#include "platform/EBSystem.h"
#include "support/FatalCatcher.h"
#include "tests/platform/PlatformTestSupport.h"

using namespace PlatformTest;

namespace {
// The game's window size, on whatever screen SDL reports.
struct FullScreen : WindowTest {
    FullScreen() : WindowTest(1600, 900) {}
};
}  // namespace

TEST_F(FullScreen, PictureKeepsItsShapeBetweenBlackBarsUntilLeft) {
    int screenWidth = 0, screenHeight = 0;
    EBSysGetScreenSize(screenWidth, screenHeight);
    // The offscreen surface is no larger than the window, and of another shape.
    ASSERT_TRUE(screenWidth > 0 && screenWidth <= 1600 && screenHeight <= 900);
    const EBPicturePlacement p = EBPlacePicture(1600, 900, true, screenWidth, screenHeight);
    ASSERT_NE(p.scaleX, 1.0f);

    ASSERT_EQ(EBToogleFullScreen(1), 1);
    EXPECT_EQ(EBGetCursorScaleX(), p.scaleX);
    EXPECT_EQ(EBGetCursorScaleY(), p.scaleX);
    EXPECT_EQ(EBGetPictureOffsetX(), p.offsetX);
    EXPECT_EQ(EBGetPictureOffsetY(), p.offsetY);
    EXPECT_EQ(EBGetWindowWidth(), 1600);  // the logical size never changes
    // The whole logical picture in white.
    EBGfxVertexList* picture = Square(1.0f, kVertexWhite);
    const auto drawPicture = [picture] {
        EBSysFrameStart();
        EBGfxSetRenderMode(1);
        const float stretch[9] = {800, 0, 0, 0, 450, 0, 0, 0, 1};
        EBGfxSetTransform(stretch);
        EBGfxMeshDraw(picture, 3);
    };
    EBSysFrameEnd();
    drawPicture();
    const Frame f(screenWidth, screenHeight);
    ASSERT_TRUE(f.ok());

    // Bars stay black on both sides of the picture along the shorter axis.
    const int left = p.offsetX, top = p.offsetY, right = left + p.width, bottom = top + p.height;
    EXPECT_EQ(f.At(left + 1, top + 1), kWhite);
    EXPECT_EQ(f.At(right - 2, bottom - 2), kWhite);
    if (top > 0) {
        EXPECT_EQ(f.At(left + p.width / 2, top - 2), kBlack);
        EXPECT_EQ(f.At(left + p.width / 2, bottom + 1), kBlack);
    }
    if (left > 0) {
        EXPECT_EQ(f.At(left - 2, top + p.height / 2), kBlack);
        EXPECT_EQ(f.At(right + 1, top + p.height / 2), kBlack);
    }
    EXPECT_EQ(TestSupport::FatalMessageOf([] { EBSysFrameEnd(); }), "");

    // Windowed again: unscaled, the picture filling the whole window.
    ASSERT_EQ(EBToogleFullScreen(0), 1);
    EXPECT_EQ(EBGetCursorScaleX(), 1.0f);
    EXPECT_EQ(EBGetPictureOffsetX(), 0);
    EXPECT_EQ(EBGetPictureOffsetY(), 0);
    drawPicture();
    EXPECT_EQ(Read().At(0, 0), kWhite);
    EXPECT_EQ(Read().At(1599, 899), kWhite);
    EBGfxMeshFree(picture);
}
