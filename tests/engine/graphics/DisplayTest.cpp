#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include "engine/graphics/Display.h"
#include "platform/EBGraphics.h"
#include "platform/EBSystem.h"

using namespace VelaEngine;

namespace {

TEST(Display, OpensTheTitledWindowAtTheTopLeftAndComesBackThereFromFullScreen) {
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
    EBSysFrameStart();
    unsigned char pixel[4] = {1, 1, 1, 1};
    ASSERT_TRUE(EBGfxReadPixels(800, 450, 1, 1, pixel));
    EXPECT_EQ(pixel[0] + pixel[1] + pixel[2], 0) << "a black background";
    EXPECT_EQ(pixel[3], 255);

    Display::Get().SetFullscreen(true);
    // The logical picture keeps its size whatever the screen.
    EXPECT_EQ(EBGetWindowWidth(), 1600);
    EXPECT_EQ(Display::Get().GetWindowSize(), Vector2(1600.0f, 900.0f));
    Display::Get().SetFullscreen(false);
    EXPECT_EQ(EBGetCursorScaleX(), 1.0f);
    expectWindowedAtTopLeft();
    Display::Release();
}

}  // namespace
