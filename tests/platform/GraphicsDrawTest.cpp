#include <gtest/gtest.h>

#include "platform/EBGraphics.h"
#include "platform/EBSystem.h"
#include "support/FatalCatcher.h"
#include "tests/platform/PlatformTestSupport.h"

using namespace PlatformTest;

namespace {
using GraphicsDraw = WindowTest;

// Expects the square [left, right) x [top, bottom) in colour, with black just outside.
void ExpectBlock(const Frame& f, int left, int top, int right, int bottom, uint32_t color) {
    EXPECT_EQ(f.At(left, top), color) << left << "," << top;
    EXPECT_EQ(f.At(right - 1, bottom - 1), color) << right - 1 << "," << bottom - 1;
    EXPECT_EQ(f.At(left - 1, top), kBlack) << left - 1 << "," << top;
    EXPECT_EQ(f.At(right, bottom - 1), kBlack) << right << "," << bottom - 1;
    EXPECT_EQ(f.At(left, top - 1), kBlack) << left << "," << top - 1;
    EXPECT_EQ(f.At(right - 1, bottom), kBlack) << right - 1 << "," << bottom;
}
}  // namespace

TEST_F(GraphicsDraw, QuadsLandOnThePixelsOfTheirPositionOrMatrixInTheirTint) {
    EBGfxVertexList* square = Square(5.0f, kVertexRed);
    EBGfxSetRenderMode(1);
    EBGfxSetPosition(20.0f, 10.0f);
    EBGfxMeshDraw(square, 3);
    // World (20, 10) is 20 pixels right of and 10 above the centre (80, 45); Y grows up.
    const Frame f = Read();
    ASSERT_TRUE(f.ok());
    ExpectBlock(f, 95, 30, 105, 40, kRed);
    EXPECT_EQ(f.CountNot(kBlack), 100);
    // Twice as wide, moved to (-40, 10); the matrix is read by rows, its bottom row ignored.
    const float m[9] = {2, 0, -40, 0, 1, 10, 9, 9, 9};
    EBGfxSetTransform(m);
    EBGfxMeshDraw(square, 3);
    ExpectBlock(Read(), 30, 30, 50, 40, kRed);
    EXPECT_EQ(Read().CountNot(kBlack), 300);
    EBGfxMeshFree(square);

    // White vertices take the tint; the transparency blends them over black.
    square = Square(5.0f, kVertexWhite);
    EBGfxSetPosition(0.0f, -30.0f);
    EBGfxSetTintColor(0.0f, 1.0f, 0.0f, 1.0f);
    EBGfxMeshDraw(square, 3);
    EXPECT_EQ(Read().At(80, 75), kGreen);
    EBGfxSetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
    EBGfxSetTransparency(0.5f);
    EBGfxSetPosition(30.0f, -30.0f);
    EBGfxMeshDraw(square, 3);
    const uint32_t half = Read().At(110, 75);
    EXPECT_NEAR(static_cast<int>(half >> 24), 128, 1);
    EXPECT_EQ(half >> 24, (half >> 16) & 0xFF);
    EBGfxMeshFree(square);
}
