// On a real X server, another program's window taking the keyboard focus from the game's window
// in the middle of a flight opens the level's pause window.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include <unistd.h>

#include "engine/core/FrontEnd.h"
#include "engine/core/Time.h"
#include "game/GameManager.h"
#include "game/GameStart.h"
#include "platform/EBSystem.h"
#include "support/OtherXClient.h"
#include "support/ScopedEnvironment.h"
#include "support/XvfbServer.h"
#include "tests/game/FlightTestSupport.h"

using namespace FlightTest;
using namespace VelaEngine;

namespace {

bool XvfbInstalled() {
    const char* path = std::getenv("PATH");
    std::string rest = path != nullptr ? path : "";
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::string folder = rest.substr(0, colon);
        if (!folder.empty() && access((folder + "/Xvfb").c_str(), X_OK) == 0) {
            return true;
        }
        rest = colon == std::string::npos ? "" : rest.substr(colon + 1);
    }
    return false;
}

struct FocusOnX11 : FlightScene {};

TEST_F(FocusOnX11, AnotherWindowTakingTheFocusInFlightOpensThePauseWindow) {
    if (!XvfbInstalled()) {
        GTEST_SKIP() << "no Xvfb (tools/install-deps.sh installs the xvfb package)";
    }
    TestSupport::XvfbServer xvfb(1920, 1080);
    ASSERT_FALSE(xvfb.Display().empty()) << "Xvfb did not start";
    TestSupport::ScopedEnvironment environment;
    environment.Set("DISPLAY", xvfb.Display()).Set("SDL_VIDEODRIVER", "x11");
    // The game ends while its X server still runs, however the test ends.
    struct EndGameFirst {
        ~EndGameFirst() {
            if (FrontEnd::Exists()) {
                Game::EndGame();
            }
        }
    } endGameFirst;
    std::filesystem::create_directory_symlink(FLEETWING_SOURCE_DIR "/assets/scenes",
                                              assets.File("scenes"));
    // Mesa's no-op driver: the checks read the scene, and frames cost game logic only.
    environment.Set("GALLIUM_NOOP", "1");
    Launch("scenes/level1", 60);
    TestSupport::OtherXClient other(xvfb.Display());
    ASSERT_TRUE(other.Connected());

    // The game's window takes the focus first, as a freshly started game has it; a click then
    // cuts the countdown short. Once the flight has run a while, the other window takes the
    // focus. Each frame waits a little, so the X server's focus events arrive between frames.
    enum class Stage { Focusing, Flying, Away, Done } stage = Stage::Focusing;
    unsigned stageFrame = 0;
    unsigned focusedFrame = 0;
    unsigned pausedFrame = 0;
    Run(
        1500,
        [&](unsigned frame) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            // Once the countdown may be skipped (1.5 s), a click starts the flight.
            PlayClicks(frame, {{focusedFrame + 95, 0.0f, -300.0f}});
            if (frame == 1) {
                SDL_Window* window = static_cast<SDL_Window*>(EBSysGetWindowHandle());
                SDL_RaiseWindow(window);
                SDL_SetWindowInputFocus(window);
            }
        },
        [&](unsigned frame) {
            switch (stage) {
                case Stage::Focusing:
                    if (EBSysIsWindowActive() == 1 && frame > 1) {
                        focusedFrame = frame;
                        stage = Stage::Flying;
                    }
                    break;
                case Stage::Flying:
                    ASSERT_FALSE(Time::Get().IsPaused()) << "frame " << frame;
                    if (frame == focusedFrame + 110) {
                        ASSERT_GE(The<Game::GameManager>("GameManager").flightStartTime, 0.0f)
                            << "the click started the flight";
                        ASSERT_TRUE(other.TakeFocus());
                        stage = Stage::Away;
                        stageFrame = frame;
                    }
                    break;
                case Stage::Away:
                    if (Time::Get().IsPaused()) {
                        pausedFrame = frame;
                        stage = Stage::Done;
                        stageFrame = frame;
                    }
                    break;
                case Stage::Done:
                    break;
            }
            // A few frames after the pause, to see that it holds; or give up.
            if ((stage == Stage::Done && frame >= stageFrame + 10) ||
                (stage == Stage::Away && frame >= stageFrame + 1000)) {
                FrontEnd::Get().Quit();
            }
        });
    ASSERT_NE(focusedFrame, 0u) << "the game's window never had the focus";
    ASSERT_NE(pausedFrame, 0u) << "the focus went to another window, and the level went on";
    EXPECT_EQ(EBSysIsWindowActive(), 0);
    EXPECT_TRUE(Time::Get().IsPaused());
    EXPECT_EQ(PositionOf("OptionsWindow"), Vector2(0.0f, 0.0f)) << "the pause window is in view";
    EXPECT_TRUE(The<Game::GameManager>("GameManager").optionsOpen);
}

}  // namespace
