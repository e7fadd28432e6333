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

class GraphicsTexture : public WindowTest {
protected:
    // Draws the texture over the 20 x 20 square [70, 90) x [35, 55) of the frame.
    void DrawTextured(EBGfxTexture* texture, float u, float v) {
        EBGfxVertexList* square = Square(10.0f, 0xFFFFFFFF);
        EBGfxSetRenderMode(2);
        EBGfxSetPosition(0.0f, 0.0f);
        EBGfxTextureSet(texture, u, v);
        EBGfxMeshDraw(square, 3);
        EBGfxMeshFree(square);
    }

    // Top-left, top-right, bottom-left and bottom-right quarters of the drawn square.
    void ExpectCorners(uint32_t tl, uint32_t tr, uint32_t bl, uint32_t br) {
        const Frame f = Read();
        EXPECT_EQ(f.At(71, 36), tl);
        EXPECT_EQ(f.At(79, 44), tl);
        EXPECT_EQ(f.At(88, 36), tr);
        EXPECT_EQ(f.At(71, 53), bl);
        EXPECT_EQ(f.At(88, 53), br);
        EXPECT_EQ(f.At(69, 36), kBlack);
    }
};
}  // namespace

TEST(GraphicsTextureOffset, WholeTurnsAboveOneAreRemoved) {
    EXPECT_FLOAT_EQ(EBGfxReduceTextureOffset(2.5f), 0.5f);
    EXPECT_FLOAT_EQ(EBGfxReduceTextureOffset(-0.25f), -0.25f);
    EXPECT_FLOAT_EQ(EBGfxReduceTextureOffset(1.0f), 1.0f);
    EXPECT_FLOAT_EQ(EBGfxReduceTextureOffset(0.75f), 0.75f);
}

TEST_F(GraphicsTexture, PngCornersLandInPlaceWithTheTopRowFirstAndOffsetsShiftThem) {
    EBGfxTexture* texture = EBGfxTextureLoad(kCorners.c_str());
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(std::string(texture->fileName), kCorners);
    DrawTextured(texture, 0.0f, 0.0f);
    ExpectCorners(kRed, kGreen, kBlue, kWhite);
    DrawTextured(texture, 2.5f, 0.0f);  // whole turns go, half a turn swaps the columns
    ExpectCorners(kGreen, kRed, kWhite, kBlue);
    DrawTextured(texture, 0.0f, 0.5f);
    ExpectCorners(kBlue, kWhite, kRed, kGreen);
    EXPECT_EQ(TestSupport::FatalMessageOf([] { EBSysFrameEnd(); }), "");
    EBGfxTextureUnload(texture);
}

namespace {
// A 1 x 1 uncompressed 24-bit BMP: a picture that is not a PNG.
std::string OnePixelBmp() {
    auto le = [](uint32_t value, int bytes) {
        std::string out;
        for (int i = 0; i < bytes; ++i) {
            out += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
        return out;
    };
    return "BM" + le(58, 4) + le(0, 4) + le(54, 4) + le(40, 4) + le(1, 4) + le(1, 4) + le(1, 2) +
           le(24, 2) + le(0, 4) + le(4, 4) + le(2835, 4) + le(2835, 4) + le(0, 4) + le(0, 4) +
           std::string("\xff\x00\x00\x00", 4);
}
}  // namespace

TEST_F(GraphicsTexture, OnlyPngFilesOfASizeTheGlTakesAreDecoded) {
    TestSupport::TempFolder folder;
    const std::vector<unsigned char> row(8193 * 4, 0x80);
    const std::string widest = folder.File("widest.png");
    const std::string tooWide = folder.File("too-wide.png");
    ASSERT_TRUE(EBImageSavePNG(widest.c_str(), row.data(), 8192, 1));
    ASSERT_TRUE(EBImageSavePNG(tooWide.c_str(), row.data(), 8193, 1));

    EBGfxTexture* texture = EBGfxTextureLoad(widest.c_str());
    EXPECT_NE(texture, nullptr);
    EBGfxTextureUnload(texture);
    for (const std::string& path : {tooWide, folder.Write("picture.png", OnePixelBmp()),
                                    folder.Write("garbage.png", "this is not an image"),
                                    folder.File("missing.png"), std::string(256, 'a')}) {
        EXPECT_EQ(EBGfxTextureLoad(path.c_str()), nullptr) << path;
    }
    EXPECT_EQ(EBGfxTextureLoad(nullptr), nullptr);
    EXPECT_EQ(TestSupport::FatalMessageOf([] { EBSysFrameEnd(); }), "");
}

TEST_F(GraphicsTexture, PrintDrawsRealTextAtItsBaseline) {
    const unsigned font = EBGfxCreateFont("Arial", 20, true, false);
    ASSERT_NE(font, 0u);
    EBGfxSetRenderMode(1);
    EBGfxPrint(font, "H%d", -60, -10, 1.0f, 0.0f, 0.0f, 1);
    const Frame f = Read();
    // Glyphs sit above the baseline (screen row 55), starting at column 20.
    int red = 0;
    for (int y = 35; y < 56; ++y) {
        for (int x = 20; x < 50; ++x) {
            red += (f.At(x, y) >> 24) > 128 && ((f.At(x, y) >> 16) & 0xFF) < 64 ? 1 : 0;
        }
    }
    EXPECT_GT(red, 30);
    const int drawn = f.CountNot(kBlack);
    EXPECT_LT(drawn, 400);
    EXPECT_EQ(EBGfxGetRenderMode(), 1);  // the caller's mode comes back

    EBGfxPrint(font, "outside", 500, 0, 1.0f, 1.0f, 1.0f);
    EBGfxPrint(font, nullptr, 0, 0, 1.0f, 1.0f, 1.0f);
    EBGfxDestroyFont(font);
    EBGfxPrint(font, "gone", 0, 0, 1.0f, 1.0f, 1.0f);
    EXPECT_EQ(Read().CountNot(kBlack), drawn) << "nothing more drawn";
    EXPECT_EQ(TestSupport::FatalMessageOf([] { EBSysFrameEnd(); }), "");
}
