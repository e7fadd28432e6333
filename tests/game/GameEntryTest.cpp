#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <string>

#include "engine/audio/AudioManager.h"
#include "engine/core/FrontEnd.h"
#include "engine/core/Random.h"
#include "engine/core/Time.h"
#include "engine/entity/MatrixStack.h"
#include "engine/graphics/Display.h"
#include "engine/input/Input.h"
#include "engine/persistence/DataStore.h"
#include "engine/persistence/Records.h"
#include "engine/physics/Physics.h"
#include "engine/scene/Resources.h"
#include "engine/scene/SceneManager.h"
#include "game/GameStart.h"
#include "platform/EBGraphics.h"
#include "platform/EBSystem.h"
#include "support/EngineRun.h"
#include "support/FatalCatcher.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "support/VelaRunProcess.h"

using namespace VelaEngine;
using TestSupport::FatalMessageOf;

namespace {

template <class Service>
void ExpectReleased(const char* name) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(Service::Exists());
    EXPECT_NE(FatalMessageOf([] { Service::Get(); }), "") << "the holder still holds it";
}

void ExpectNothingHeld() {
    ExpectReleased<FrontEnd>("FrontEnd");
    ExpectReleased<Display>("Display");
    ExpectReleased<Random>("Random");
    ExpectReleased<DataStore>("DataStore");
    ExpectReleased<Records>("Records");
    ExpectReleased<Audio::AudioManager>("AudioManager");
    ExpectReleased<Resources>("Resources");
    ExpectReleased<MatrixStack>("MatrixStack");
    ExpectReleased<Input>("Input");
    ExpectReleased<SceneManagement::SceneManager>("SceneManager");
    ExpectReleased<Time>("Time");
    ExpectReleased<Physics>("Physics");
}

// A real level in full screen, so the caches, the GL context and the sound system all hold
// something when the game ends.
void PlayBriefly() {
    TestSupport::StartEngine({.firstScene = "scenes/level1", .fullscreen = true});
    TestSupport::RunFrames(3);
}

// Plays briefly and ends as the entry does; false when the game had not started fully.
bool PlayThenEnd() {
    testing::internal::CaptureStdout();
    PlayBriefly();
    const bool started = Display::Exists() && Resources::Exists() &&
                         Audio::AudioManager::Exists() && SDL_WasInit(SDL_INIT_AUDIO) != 0;
    Game::EndGame();
    testing::internal::GetCapturedStdout();
    return started;
}

void ExpectPlatformShut() {
    EXPECT_EQ(EBSysDoesWindowExist(), 0);
    EXPECT_EQ(EBSysGetWindowHandle(), nullptr);
    unsigned char pixel[4];
    EXPECT_FALSE(EBGfxReadPixels(0, 0, 1, 1, pixel)) << "the GL context is still there";
    EXPECT_EQ(SDL_WasInit(SDL_INIT_EVERYTHING), 0u) << "an SDL subsystem is still running";
}

TEST(GameEntry, EndGameClosesEveryServiceAndThePlatformBeforeTheEntryReturns) {
    TestSupport::TempFolder home;
    TestSupport::ScopedEnvironment environment;
    environment.Set("HOME", home.Path());
    ASSERT_TRUE(PlayThenEnd());
    ExpectNothingHeld();
    ExpectPlatformShut();
    if (HasFailure()) {
        return;  // a second start would only end the process on "instantiate once"
    }
    // Nothing was left behind: the game starts and ends again in the same process.
    ASSERT_TRUE(PlayThenEnd());
    ExpectNothingHeld();
    ExpectPlatformShut();
}

TEST(GameEntry, WithoutADisplayTheGameAndTheWindowedRunnerSaySoAndFail) {
    TestSupport::TempFolder home;
    const std::string bin = FLEETWING_BINARY_DIR;
    for (const std::string& program :
         {bin + "/fleetwing", bin + "/tools/vela-run/vela-run --window --frames 2"}) {
        SCOPED_TRACE(program);
        // Should the game run unseen instead, the time limit ends it.
        const TestSupport::RunResult run = TestSupport::RunCommand(
            "cd " FLEETWING_SOURCE_DIR
            " && env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER"
            " HOME=" +
            TestSupport::ShellQuote(home.Path()) + " timeout 30 " + program + " </dev/null");
        EXPECT_EQ(run.status, 1) << run.output;
        EXPECT_NE(run.output.find("Ember Engine: cannot start the video system"), std::string::npos)
            << run.output;
        EXPECT_NE(run.output.find("No display is available? To run without one, set "
                                  "SDL_VIDEODRIVER=offscreen."),
                  std::string::npos)
            << run.output;
    }
}

}  // namespace
