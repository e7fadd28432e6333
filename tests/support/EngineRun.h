#pragma once
// Starts the real engine offscreen with the fixed-step clock, as the headless runner does.
#include <functional>

#include "engine/core/Clock.h"
#include "engine/core/FrontEnd.h"
#include "game/GameStart.h"

namespace TestSupport {

// The game's own start-up values; tests change the scene, assets, seed or factory.
using EngineOptions = Game::StartOptions;

// Creates the FrontEnd and runs its Init on the fixed-step clock.
inline void StartEngine(const EngineOptions& options = {}) {
    static VelaEngine::FixedStepClock clock;
    VelaEngine::SetClock(&clock);
    Game::StartGame(options);
}

// Runs exactly `frames` frames through the real loop, then quits through FrontEnd::Quit.
// `before` runs ahead of each frame's time and input, `after` once the frame is done.
inline void RunFrames(unsigned frames, std::function<void(unsigned)> after = nullptr,
                      std::function<void(unsigned)> before = nullptr) {
    VelaEngine::FrameHooks hooks;
    hooks.beforeFrame = [before](unsigned frame) {
        if (before) {
            before(frame);
        }
    };
    hooks.afterFrame = [frames, after](unsigned frame) {
        if (after) {
            after(frame);
        }
        if (frame >= frames) {
            VelaEngine::FrontEnd::Get().Quit();
        }
    };
    VelaEngine::FrontEnd::Get().SetFrameHooks(hooks);
    VelaEngine::FrontEnd::Get().Run();
}

}  // namespace TestSupport
