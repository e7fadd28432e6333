#pragma once
// Starts the real engine offscreen with the fixed-step clock, as the headless runner does.
#include <string>

#include "engine/core/Clock.h"
#include "engine/core/FrontEnd.h"
#include "engine/scene/ComponentFactory.h"

namespace TestSupport {

struct EngineOptions {
    std::string assets = "assets";
    std::string firstScene = "scenes/splash";
    bool fullscreen = false;
    VelaEngine::ComponentFactory factory = nullptr;
    unsigned seed = 1;
};

// Creates the FrontEnd and runs its Init with the game's other start-up values.
inline void StartEngine(const EngineOptions& options = {}) {
    static VelaEngine::FixedStepClock clock;
    VelaEngine::SetClock(&clock);
    const VelaEngine::Vector2 gravity(0.0f, -200.0f);
    const VelaEngine::Vector2 windowSize(1600.0f, 900.0f);
    const std::string title = "Fleetwing";
    const bool cursorVisible = false;
    const bool console = false;
    const unsigned frameRate = 60;
    void* const instance = nullptr;
    const uint32_t seed = options.seed;
    VelaEngine::FrontEnd::Create();
    VelaEngine::FrontEnd::Get().SetAssetPath(options.assets);
    VelaEngine::FrontEnd::Get().Init(options.factory, options.firstScene, instance, seed, gravity,
                                     title, windowSize, options.fullscreen, cursorVisible,
                                     frameRate, console);
}

// Runs exactly `frames` frames through the real loop, then quits through FrontEnd::Quit.
inline void RunFrames(unsigned frames) {
    VelaEngine::FrameHooks hooks;
    hooks.afterFrame = [frames](unsigned frame) {
        if (frame >= frames) {
            VelaEngine::FrontEnd::Get().Quit();
        }
    };
    VelaEngine::FrontEnd::Get().SetFrameHooks(hooks);
    VelaEngine::FrontEnd::Get().Run();
}

}  // namespace TestSupport
