#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/EBGraphics.h"
#include "platform/EBSystem.h"
#include "support/FatalCatcher.h"
#include "support/ScopedEnvironment.h"
#include "tests/platform/PlatformTestSupport.h"

using namespace PlatformTest;
using SystemWindow = WindowTest;
using TestSupport::FatalMessageOf;

TEST(SystemStartUp, OpensTheTitledWindowUntilClosedQuitOrExited) {
    ASSERT_EQ(EBSysInit(nullptr, 1, 160, 90, 1, 60, nullptr), 1);
    auto* window = static_cast<SDL_Window*>(EBSysGetWindowHandle());
    ASSERT_NE(window, nullptr);
    EXPECT_STREQ(SDL_GetWindowTitle(window), "Ember Engine");
    EXPECT_STREQ(SDL_GetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS), "0");
    EXPECT_EQ(EBSysSetWindowTitle("Fleetwing"), 1);
    EXPECT_STREQ(SDL_GetWindowTitle(window), "Fleetwing");
    EXPECT_EQ(EBGetWindowWidth(), 160);
    EXPECT_EQ(EBGetWindowHeight(), 90);
    EBSysUpdate();
    EXPECT_EQ(EBSysDoesWindowExist(), 1);
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    event.window.windowID = SDL_GetWindowID(window);
    SDL_PushEvent(&event);
    EBSysFrameEnd();
    EXPECT_EQ(EBSysDoesWindowExist(), 0) << "closed";

    EBSysExit();
    ASSERT_EQ(EBSysInit(nullptr, 1, 160, 90, 0, 60, nullptr), 1);
    EXPECT_EQ(EBSysDoesWindowExist(), 1);
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
    EBSysUpdate();
    EXPECT_EQ(EBSysDoesWindowExist(), 0) << "quit";
    EBSysExit();
    EXPECT_EQ(EBSysDoesWindowExist(), 0);
    EXPECT_EQ(EBSysGetWindowHandle(), nullptr);
    unsigned char pixel[4];
    EXPECT_FALSE(EBGfxReadPixels(0, 0, 1, 1, pixel));
}

TEST(SystemStartUp, NoDisplayEndsWithAClearMessage) {
    const char* previous = std::getenv("SDL_VIDEODRIVER");
    const std::string saved = previous != nullptr ? previous : "";
    setenv("SDL_VIDEODRIVER", "no-such-display", 1);
    testing::internal::CaptureStderr();
    const std::string message =
        FatalMessageOf([] { EBSysInit(nullptr, 1, 160, 90, 0, 60, nullptr); });
    const std::string printed = testing::internal::GetCapturedStderr();
    EBSysExit();
    if (previous != nullptr) {
        setenv("SDL_VIDEODRIVER", saved.c_str(), 1);
    } else {
        unsetenv("SDL_VIDEODRIVER");
    }
    EXPECT_NE(message.find("cannot start the video system"), std::string::npos) << message;
    EXPECT_NE(message.find("SDL_VIDEODRIVER=offscreen"), std::string::npos) << message;
    EXPECT_EQ(printed, message);
}

TEST(SystemStartUp, NoDisplayIsSaidNotHiddenBehindTheOffscreenDriver) {
    TestSupport::ScopedEnvironment environment;
    environment.Unset("DISPLAY").Unset("WAYLAND_DISPLAY").Unset("SDL_VIDEODRIVER");
    testing::internal::CaptureStderr();
    const std::string message =
        FatalMessageOf([] { EBSysInit(nullptr, 1, 160, 90, 0, 60, nullptr); });
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_NE(message.find("cannot start the video system"), std::string::npos) << message;
    EXPECT_NE(message.find("No display is available? To run without one, set "
                           "SDL_VIDEODRIVER=offscreen."),
              std::string::npos)
        << message;
    EXPECT_NE(printed.find(message), std::string::npos) << printed;
    EXPECT_EQ(EBSysGetWindowHandle(), nullptr);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u) << "no driver left running";
    EBSysExit();

    // Asked for by name, alone or in a list, the offscreen driver runs.
    for (const char* named : {"offscreen", "x11,Offscreen"}) {
        SCOPED_TRACE(named);
        environment.Set("SDL_VIDEODRIVER", named);
        ASSERT_EQ(FatalMessageOf([] { EBSysInit(nullptr, 1, 160, 90, 0, 60, nullptr); }), "");
        EXPECT_STREQ(SDL_GetCurrentVideoDriver(), "offscreen");
        EXPECT_EQ(EBSysDoesWindowExist(), 1);
        EBSysExit();
    }
}

TEST_F(SystemWindow, GLErrorsArePrintedThenHalt) {
    glEnable(0x1234);  // not a capability: GL_INVALID_ENUM
    testing::internal::CaptureStdout();
    const std::string message = FatalMessageOf([] { EBSysFrameEnd(); });
    const std::string printed = testing::internal::GetCapturedStdout();
    const std::string expected =
        "CHECK_GL_ERROR:\nLine: 1002\nFunc: EBGfxEnd\nFile: ..\\..\\src\\EBGraphics\n"
        "Code: 0x00000500\nMesg: \n"
        "HALT:\nLine: 1002\nFunc: EBGfxEnd\nFile: ..\\..\\src\\EBGraphics\n\n";
    EXPECT_EQ(printed, expected);
    EXPECT_EQ(message, expected);
}
