#pragma once
// A real platform window (SDL's offscreen driver in tests) and frame read-back helpers.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/EBGraphics.h"
#include "platform/EBSystem.h"

namespace PlatformTest {

constexpr uint32_t kBlack = 0x000000FF;  // read-back pixels are 0xRRGGBBAA
constexpr uint32_t kRed = 0xFF0000FF;
constexpr uint32_t kGreen = 0x00FF00FF;
constexpr uint32_t kBlue = 0x0000FFFF;
constexpr uint32_t kWhite = 0xFFFFFFFF;

// Packed vertex colours are 0xAARRGGBB.
constexpr uint32_t kVertexRed = 0xFFFF0000;
constexpr uint32_t kVertexWhite = 0xFFFFFFFF;

// The picture drawn so far this frame, top row first.
class Frame {
public:
    Frame(int width, int height) : width_(width), height_(height), rgba_(width * height * 4) {
        EXPECT_TRUE(EBGfxReadPixels(0, 0, width, height, rgba_.data())) << "read-back failed";
    }
    uint32_t At(int x, int y) const {
        const unsigned char* p = &rgba_[(static_cast<size_t>(y) * width_ + x) * 4];
        return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
    }
    int CountNot(uint32_t color) const {
        int count = 0;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                count += At(x, y) != color ? 1 : 0;
            }
        }
        return count;
    }

private:
    int width_;
    int height_;
    std::vector<unsigned char> rgba_;
};

// A square of the given half size around the local origin; texture v = 0 at its top.
inline EBGfxVertexList* Square(float half, uint32_t color) {
    EBGfxTriAdd(-half, -half, color, 0, 1, half, -half, color, 1, 1, half, half, color, 1, 0);
    EBGfxTriAdd(-half, -half, color, 0, 1, half, half, color, 1, 0, -half, half, color, 0, 0);
    return EBGfxMeshEnd();
}

// Opens the library's 160 x 90 window with a black background and alpha blending, as the
// engine does.
class WindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(EBSysInit(nullptr, 1, 160, 90, 0, 2147483647, nullptr), 1);
        EBGfxSetBackgroundColor(0.0f, 0.0f, 0.0f);
        EBGfxSetBlendMode(1);
        EBSysFrameStart();
    }
    void TearDown() override { EBSysExit(); }

    static Frame Read() { return Frame(160, 90); }
};

}  // namespace PlatformTest
