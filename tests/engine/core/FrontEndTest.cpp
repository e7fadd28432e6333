#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "engine/core/FrontEnd.h"
#include "support/EngineRun.h"
#include "support/TempFolder.h"

using namespace VelaEngine;

namespace {
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// An asset folder whose first scene is empty.
struct EmptyGame {
    EmptyGame() { assets.Write("scenes/splash.scene", "/ nothing to see\n"); }
    TestSupport::EngineOptions Options() const {
        TestSupport::EngineOptions options;
        options.assets = assets.Path();
        return options;
    }
    TestSupport::TempFolder assets;
};

// Position of the first line equal to `wanted` at or after `from`, or -1.
int IndexOf(const std::vector<std::string>& lines, const std::string& wanted, int from = 0) {
    for (int i = from; i < static_cast<int>(lines.size()); ++i) {
        if (lines[i] == wanted) {
            return i;
        }
    }
    return -1;
}
}  // namespace

TEST(FrontEnd, StartsRunsAndQuitsWithTheLogInOrder) {
    EmptyGame game;
    testing::internal::CaptureStdout();
    TestSupport::StartEngine(game.Options());
    TestSupport::RunFrames(3);
    const std::vector<std::string> lines = Lines(testing::internal::GetCapturedStdout());

    const int banner = IndexOf(lines, "Ember Engine version: 3.05");
    const int graphics = IndexOf(lines, "Graphics: OpenGL", banner);
    const int running = IndexOf(lines, "LOG: Running: Vela Engine", graphics);
    const int loop = IndexOf(lines, "LOG: Running game loop", running);
    const int quit = IndexOf(lines, "LOG: Quitting game loop", loop);
    ASSERT_GE(banner, 0);
    ASSERT_GT(graphics, banner);
    ASSERT_GT(running, graphics);
    EXPECT_EQ(lines.at(running + 1), "");
    ASSERT_GT(loop, running);
    EXPECT_EQ(quit, static_cast<int>(lines.size()) - 1);
    EXPECT_EQ(FrontEnd::Get().GetTitle(), "Fleetwing");
}

TEST(FrontEnd, QuitLetsTheFrameFinish) {
    EmptyGame game;
    TestSupport::StartEngine(game.Options());
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
    EXPECT_EQ(framesEnded, 2u);
}
