#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/EBGraphics.h"
#include "platform/EBImageFile.h"
#include "platform/EBSystem.h"
#include "support/FatalCatcher.h"
#include "support/TempFolder.h"
#include "tests/platform/PlatformTestSupport.h"

using namespace PlatformTest;

namespace {
const std::string kCorners = std::string(FLEETWING_SOURCE_DIR) + "/tests/platform/data/corners.png";

using GraphicsTexture = WindowTest;
}  // namespace

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
