#include "engine/graphics/Display.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include "platform/EBInput.h"
#include "platform/EBPicturePlacement.h"
#include "platform/EBSystem.h"
#include "support/FatalCatcher.h"
#include "tests/platform/PlatformTestSupport.h"

using namespace VelaEngine;
using namespace PlatformTest;

namespace {

// The whole 1600 x 900 logical picture in white, as the frame's first drawing.
void DrawPicture(EBGfxVertexList* picture) {
    EBSysFrameStart();
    EBGfxSetRenderMode(1);
    const float stretch[9] = {800, 0, 0, 0, 450, 0, 0, 0, 1};
    EBGfxSetTransform(stretch);
    EBGfxMeshDraw(picture, 3);
}

TEST(Display, OpensAtTheTopLeftShowsFullScreenBetweenBlackBarsAndComesBack) {
    Display::Create();
    Display::Get().Init("Fleetwing", false, false, false, Vector2(1600.0f, 900.0f), nullptr);
    auto* window = static_cast<SDL_Window*>(EBSysGetWindowHandle());
    ASSERT_NE(window, nullptr);
    const auto expectWindowedAtTopLeft = [&] {
        SDL_Rect screen{};
        SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window), &screen);
        int w = 0, h = 0, x = -1, y = -1;
        SDL_GetWindowSize(window, &w, &h);
        SDL_GetWindowPosition(window, &x, &y);
        EXPECT_EQ(w, 1600);
        EXPECT_EQ(h, 900);
        EXPECT_EQ(x, screen.x);
        EXPECT_EQ(y, screen.y);
    };
    expectWindowedAtTopLeft();
    EXPECT_STREQ(SDL_GetWindowTitle(window), "Fleetwing");
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);

    // The offscreen screen is no larger than the window, and of another shape: bars show.
    int screenWidth = 0, screenHeight = 0;
    EBSysGetScreenSize(screenWidth, screenHeight);
    ASSERT_TRUE(screenWidth > 0 && screenWidth <= 1600 && screenHeight <= 900);
    const EBPicturePlacement p = EBPlacePicture(1600, 900, true, screenWidth, screenHeight);
    ASSERT_TRUE(p.offsetX > 0 || p.offsetY > 0);
    Display::Get().SetFullscreen(true);
    EXPECT_EQ(EBGetCursorScaleX(), p.scaleX);
    EXPECT_EQ(EBGetCursorScaleY(), p.scaleX);
    EXPECT_EQ(EBGetPictureOffsetX(), p.offsetX);
    EXPECT_EQ(EBGetPictureOffsetY(), p.offsetY);
    // The logical picture keeps its size whatever the screen.
    EXPECT_EQ(EBGetWindowWidth(), 1600);
    EXPECT_EQ(Display::Get().GetWindowSize(), Vector2(1600.0f, 900.0f));
    EBGfxVertexList* picture = Square(1.0f, kVertexWhite);
    DrawPicture(picture);
    const Frame f(screenWidth, screenHeight);
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
    Display::Get().SetFullscreen(false);
    expectWindowedAtTopLeft();
    EXPECT_EQ(EBGetCursorScaleX(), 1.0f);
    EXPECT_EQ(EBGetPictureOffsetX(), 0);
    EXPECT_EQ(EBGetPictureOffsetY(), 0);
    DrawPicture(picture);
    EXPECT_EQ(Frame(1600, 900).At(0, 0), kWhite);
    EXPECT_EQ(Frame(1600, 900).At(1599, 899), kWhite);
    EBGfxMeshFree(picture);
    Display::Release();
}

}  // namespace
