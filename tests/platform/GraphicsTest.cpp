#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "platform/EBGfxState.h"
#include "platform/EBGraphics.h"
#include "platform/EBImageFile.h"
#include "platform/EBSystem.h"
#include "support/FatalCatcher.h"
#include "support/TempFolder.h"
#include "tests/platform/PlatformTestSupport.h"

using namespace PlatformTest;

namespace {
const std::string kCorners = std::string(FLEETWING_SOURCE_DIR) + "/tests/platform/data/corners.png";

using GraphicsDraw = WindowTest;
using GraphicsTexture = WindowTest;

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

TEST_F(GraphicsTexture, PngCornersLandInPlaceWithTheTopRowFirstAndOffsetsShiftThem) {
    EBGfxTexture* texture = EBGfxTextureLoad(kCorners.c_str());
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(std::string(texture->fileName), kCorners);
    // Draws the texture over the 20 x 20 square [70, 90) x [35, 55) of the frame.
    const auto drawTextured = [texture](float u, float v) {
        EBGfxVertexList* square = Square(10.0f, 0xFFFFFFFF);
        EBGfxSetRenderMode(2);
        EBGfxSetPosition(0.0f, 0.0f);
        EBGfxTextureSet(texture, u, v);
        EBGfxMeshDraw(square, 3);
        EBGfxMeshFree(square);
    };
    // Top-left, top-right, bottom-left and bottom-right quarters of the drawn square.
    const auto expectCorners = [](uint32_t tl, uint32_t tr, uint32_t bl, uint32_t br) {
        const Frame f = Read();
        EXPECT_EQ(f.At(71, 36), tl);
        EXPECT_EQ(f.At(79, 44), tl);
        EXPECT_EQ(f.At(88, 36), tr);
        EXPECT_EQ(f.At(71, 53), bl);
        EXPECT_EQ(f.At(88, 53), br);
        EXPECT_EQ(f.At(69, 36), kBlack);
    };
    drawTextured(0.0f, 0.0f);
    expectCorners(kRed, kGreen, kBlue, kWhite);
    drawTextured(2.5f, 0.0f);  // whole turns go, half a turn swaps the columns
    expectCorners(kGreen, kRed, kWhite, kBlue);
    drawTextured(0.0f, 0.5f);
    expectCorners(kBlue, kWhite, kRed, kGreen);
    EXPECT_EQ(TestSupport::FatalMessageOf([] { EBSysFrameEnd(); }), "");
    EBGfxTextureUnload(texture);
}

TEST(GraphicsTextureOffset, WholeTurnsAboveOneGoAtAnySizeAndNonFiniteOffsetsShiftNothing) {
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<std::pair<float, float>> rows = {
        {std::nanf(""), 0.0f}, {inf, 0.0f},    {-inf, 0.0f},
        {2.5f, 0.5f},          {2.0f, 1.0f},   {1.0f, 1.0f},
        {-0.25f, -0.25f},      {-7.5f, -7.5f}, {1.0f + 0x1p-23f, 0x1p-23f},
        {8388607.5f, 0.5f},    {1e9f, 1.0f},   {3e38f, 1.0f},
    };
    for (const auto& [offset, sent] : rows) {
        EXPECT_EQ(EBGfxReduceTextureOffset(offset), sent) << offset;
    }
}

TEST_F(GraphicsTexture, OnlyPngFilesOfASizeTheGlTakesAreDecoded) {
    TestSupport::TempFolder folder;
    const std::vector<unsigned char> row(8193 * 4, 0x80);
    const std::string widest = folder.File("widest.png");
    const std::string tooWide = folder.File("too-wide.png");
    const std::string bmp = folder.File("picture.png");
    ASSERT_TRUE(EBImageSavePNG(widest.c_str(), row.data(), 8192, 1));
    ASSERT_TRUE(EBImageSavePNG(tooWide.c_str(), row.data(), 8193, 1));
    // A picture that is not a PNG, under a PNG name.
    SDL_Surface* pixel = SDL_CreateRGBSurfaceWithFormat(0, 1, 1, 24, SDL_PIXELFORMAT_RGB24);
    ASSERT_EQ(SDL_SaveBMP(pixel, bmp.c_str()), 0);
    SDL_FreeSurface(pixel);

    EBGfxTexture* texture = EBGfxTextureLoad(widest.c_str());
    EXPECT_NE(texture, nullptr);
    EBGfxTextureUnload(texture);
    // Missing, empty and damaged files are refused through the sprites that load them.
    for (const std::string& path : {tooWide, bmp, std::string(256, 'a')}) {
        EXPECT_EQ(EBGfxTextureLoad(path.c_str()), nullptr) << path;
    }
    EXPECT_EQ(EBGfxTextureLoad(nullptr), nullptr);
    EXPECT_EQ(TestSupport::FatalMessageOf([] { EBSysFrameEnd(); }), "");
}

TEST_F(GraphicsDraw, ShadersAreBuiltByTheFirstDrawNotByAFirstFrameThatDrawsNothing) {
    // A splash that fades in shows nothing at first: start-up need not wait for the compiler.
    EBSysFrameEnd();
    EBSysFrameStart();
    EBSysFrameEnd();
    EXPECT_FALSE(EBInternal::Graphics().programsBuilt);
    EXPECT_EQ(EBInternal::Graphics().programs[1], 0u);
    EBSysFrameStart();
    EBGfxVertexList* square = Square(5.0f, kVertexWhite);
    EBGfxSetRenderMode(1);
    EXPECT_TRUE(EBInternal::Graphics().programsBuilt);
    EXPECT_NE(EBInternal::Graphics().programs[1], 0u);
    EXPECT_NE(EBInternal::Graphics().programs[2], 0u);
    EBGfxSetPosition(0.0f, 0.0f);
    EBGfxMeshDraw(square, 3);
    EXPECT_EQ(Read().At(80, 45), kWhite) << "built untinted and opaque";
    EBGfxMeshFree(square);
}
