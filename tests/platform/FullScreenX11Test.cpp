// Full screen on a real X server without a window manager, where the desktop leaves the window
// at its own size, and a window whose size changes while the game runs.
#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "platform/EBGraphics.h"
#include "platform/EBInput.h"
#include "platform/EBSystem.h"
#include "support/ScopedEnvironment.h"
#include "support/XvfbServer.h"
#include "tests/platform/PlatformTestSupport.h"

using namespace PlatformTest;

namespace {

constexpr uint32_t kVertexGreen = 0xFF00FF00;
constexpr uint32_t kVertexBlue = 0xFF0000FF;

// Logical points of three markers: near the top-left corner, the centre, the bottom-right.
struct Marker {
    float x;
    float y;
    uint32_t vertexColor;
    uint32_t readColor;
};
constexpr Marker kMarkers[] = {{-790.0f, 440.0f, kVertexRed, kRed},
                               {0.0f, 0.0f, kVertexGreen, kGreen},
                               {790.0f, -440.0f, kVertexBlue, kBlue}};

// One pixel of the surface, counted from its top-left corner, read straight from GL.
uint32_t SurfacePixel(int x, int y, int surfaceHeight) {
    unsigned char p[4] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, surfaceHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

class FullScreenOnX11 : public testing::Test {
protected:
    // The desktop's size.
    virtual int ScreenWidth() const { return 1920; }
    virtual int ScreenHeight() const { return 1080; }

    void SetUp() override {
        xvfb_ = std::make_unique<TestSupport::XvfbServer>(ScreenWidth(), ScreenHeight());
        ASSERT_FALSE(xvfb_->Display().empty())
            << "Xvfb did not start (tools/install-deps.sh installs the xvfb package)";
        environment_.Set("DISPLAY", xvfb_->Display()).Set("SDL_VIDEODRIVER", "x11");
        ASSERT_EQ(EBSysInit(nullptr, 1, 1600, 900, 0, 2147483647, nullptr), 1);
        window_ = static_cast<SDL_Window*>(EBSysGetWindowHandle());
        EBGfxSetBackgroundColor(0.0f, 0.0f, 0.0f);
        EBGfxSetBlendMode(1);
        white_ = Square(1.0f, kVertexWhite);
        for (const Marker& m : kMarkers) {
            markers_.push_back(Square(10.0f, m.vertexColor));
        }
    }
    void TearDown() override {
        for (EBGfxVertexList* list : markers_) {
            EBGfxMeshFree(list);
        }
        if (white_ != nullptr) {
            EBGfxMeshFree(white_);
        }
        EBSysExit();
    }

    // A frame of the whole white picture with the markers on it, drawn but not yet shown.
    void DrawFrame() {
        EBSysFrameStart();
        EBGfxSetRenderMode(1);
        const float stretch[9] = {800, 0, 0, 0, 450, 0, 0, 0, 1};
        EBGfxSetTransform(stretch);
        EBGfxMeshDraw(white_, 3);
        for (std::size_t i = 0; i < markers_.size(); ++i) {
            const float at[9] = {1, 0, kMarkers[i].x, 0, 1, kMarkers[i].y, 0, 0, 1};
            EBGfxSetTransform(at);
            EBGfxMeshDraw(markers_[i], 3);
        }
        // The frame's commands are kept until something needs its pixels; reading through
        // the platform draws them, as a screenshot would.
        unsigned char probe[4] = {};
        EBGfxReadPixels(0, 0, 1, 1, probe);
        glFinish();
    }

    // Where each marker must show on a surface whose picture has that scale and offsets.
    void ExpectMarkersAt(float scale, int offsetX, int offsetY, int surfaceHeight) {
        for (const Marker& m : kMarkers) {
            const int x = offsetX + static_cast<int>((m.x + 800.0f) * scale);
            const int y = offsetY + static_cast<int>((450.0f - m.y) * scale);
            EXPECT_EQ(SurfacePixel(x, y, surfaceHeight), m.readColor)
                << "marker at " << m.x << ", " << m.y << " not at pixel " << x << ", " << y;
        }
    }

    // Puts the pointer on a pixel of the window and has the library read it.
    void PointAt(int x, int y) {
        SDL_WarpMouseInWindow(window_, x, y);
        for (int tries = 0; tries < 200; ++tries) {
            EBSysUpdate();
            int seenX = -1;
            int seenY = -1;
            SDL_GetMouseState(&seenX, &seenY);
            if (seenX == x && seenY == y) {
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        EBInputUpdate();
    }

    void ExpectCursorReads(int x, int y) {
        int readX = -1;
        int readY = -1;
        EBInputGetCursorPosition(readX, readY);
        EXPECT_EQ(readX, x);
        EXPECT_EQ(readY, y);
    }

    std::unique_ptr<TestSupport::XvfbServer> xvfb_;
    TestSupport::ScopedEnvironment environment_;
    SDL_Window* window_ = nullptr;
    EBGfxVertexList* white_ = nullptr;
    std::vector<EBGfxVertexList*> markers_;
};

TEST_F(FullScreenOnX11, RefusedByTheDesktopThePictureFillsTheWindowItKept) {
    ASSERT_EQ(EBToogleFullScreen(1), 1);
    ASSERT_NE(SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN, 0u);
    // No window manager: the window keeps its 1600 x 900, whatever SDL was told.
    EXPECT_EQ(EBGetCursorScaleX(), 1.0f);
    EXPECT_EQ(EBGetCursorScaleY(), 1.0f);
    EXPECT_EQ(EBGetPictureOffsetX(), 0);
    EXPECT_EQ(EBGetPictureOffsetY(), 0);
    DrawFrame();
    ExpectMarkersAt(1.0f, 0, 0, 900);
    EXPECT_EQ(SurfacePixel(1599, 0, 900), kWhite) << "the picture reaches the corners";
    EXPECT_EQ(SurfacePixel(0, 899, 900), kWhite) << "the picture reaches the corners";
    EBSysFrameEnd();

    // The pointer on the bottom-right marker reads as that marker's window pixel.
    PointAt(1590, 890);
    ExpectCursorReads(1590, 890);
    PointAt(800, 450);
    ExpectCursorReads(800, 450);
}

// A desktop with room for a window larger than the picture and of another shape.
class ResizedOnX11 : public FullScreenOnX11 {
protected:
    int ScreenHeight() const override { return 1200; }
};

TEST_F(ResizedOnX11, AWindowSizedAnewGetsThePictureFittedBetweenBars) {
    ASSERT_EQ(EBToogleFullScreen(0), 1);
    SDL_SetWindowPosition(window_, 0, 0);
    DrawFrame();
    ExpectMarkersAt(1.0f, 0, 0, 900);
    EBSysFrameEnd();

    // Taller than 16:9: the picture is scaled by 1.2 with 60-pixel bars above and below.
    SDL_SetWindowSize(window_, 1920, 1200);
    EBSysUpdate();
    DrawFrame();
    EXPECT_EQ(EBGetCursorScaleX(), 1.2f);
    EXPECT_EQ(EBGetCursorScaleY(), 1.2f);
    EXPECT_EQ(EBGetPictureOffsetX(), 0);
    EXPECT_EQ(EBGetPictureOffsetY(), 60);
    ExpectMarkersAt(1.2f, 0, 60, 1200);
    EXPECT_EQ(SurfacePixel(960, 30, 1200), kBlack) << "bar above";
    EXPECT_EQ(SurfacePixel(960, 1170, 1200), kBlack) << "bar below";
    EBSysFrameEnd();

    PointAt(1908, 1128);  // on the bottom-right marker
    ExpectCursorReads(1590, 890);
}

}  // namespace
