#include <gtest/gtest.h>

#include "engine/core/FrontEnd.h"
#include "support/EngineRun.h"
#include "support/TempFolder.h"

using namespace VelaEngine;

TEST(FrontEnd, StartsRunsAndQuitsAtTheEndOfTheFrameWithTheLogInOrder) {
    TestSupport::TempFolder assets;
    assets.Write("scenes/splash.scene", "/ nothing to see\n");
    testing::internal::CaptureStdout();
    TestSupport::StartEngine({.assets = assets.Path()});
    unsigned framesStarted = 0;
    unsigned framesEnded = 0;
    FrameHooks hooks;
    hooks.beforeFrame = [&](unsigned) { ++framesStarted; };
    hooks.beforePresent = [&](unsigned frame) {
        if (frame == 2) {
            FrontEnd::Get().Quit();  // as a behaviour's update would
        }
    };
    hooks.afterFrame = [&](unsigned) { ++framesEnded; };
    FrontEnd::Get().SetFrameHooks(hooks);
    FrontEnd::Get().Run();
    EXPECT_EQ(framesStarted, 2u);
    EXPECT_EQ(framesEnded, 2u) << "the frame that asked to quit finishes";

    const std::string log = testing::internal::GetCapturedStdout();
    std::size_t at = 0;
    for (const char* line : {"Ember Engine version: 3.05\n", "\nGraphics: OpenGL\n",
                             "\nLOG: Running: Vela Engine\n\n", "\nLOG: Running game loop\n"}) {
        at = log.find(line, at);
        ASSERT_NE(at, std::string::npos) << line << " in order in:\n" << log;
    }
    EXPECT_TRUE(log.ends_with("\nLOG: Quitting game loop\n")) << log;
}
