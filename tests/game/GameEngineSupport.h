#pragma once
// The real engine in this process with the game's factory, for cases that need a frame time
// other than the runner's 1/60 s or reach into a behaviour between frames.
#include <stdlib.h>

#include <functional>
#include <string>

#include "engine/core/Clock.h"
#include "engine/core/FrontEnd.h"
#include "engine/entity/Entity.h"
#include "engine/scene/SceneManager.h"
#include "game/GameFactory.h"
#include "platform/EBInput.h"
#include "support/EngineRun.h"
#include "tests/game/GameTestSupport.h"

namespace GameTest {

// Every wait moves time on by one step, whatever the frame asked for.
class StepClock final : public VelaEngine::FrameClock {
public:
    explicit StepClock(double stepMs) : stepMs_(stepMs) {}
    double NowMs() override { return now_; }
    void WaitUntilMs(double) override { now_ += stepMs_; }

private:
    double now_ = 0.0;
    double stepMs_;
};

inline EBInputSnapshot g_input{};
inline void ScriptedInput(EBInputSnapshot& snapshot) {
    snapshot = g_input;
}

// Starts the engine on an empty scene and asks for `scene` at once: the engine's first frame
// always lasts 1/60 s, so the empty scene takes it and every frame of `scene` lasts `step`
// seconds. Frame 2 is the scene's first frame; after frame k it has run (k - 1) steps.
class SceneInProcess {
public:
    SceneInProcess(const std::string& scene, double stepSeconds) : clock_(stepSeconds * 1000.0) {
        setenv("HOME", home.Path().c_str(), 1);
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        scene_ = "scenes/" + scene;
    }
    ~SceneInProcess() { VelaEngine::SetClock(nullptr); }

    // Runs `frames` frames; `afterFrame` sees the state after each, `beforeFrame` may set
    // the input for the frame in g_input.
    void Run(unsigned frames, std::function<void(unsigned)> afterFrame,
             std::function<void(unsigned)> beforeFrame = nullptr) {
        VelaEngine::SetClock(&clock_);
        EBInputSetSource(ScriptedInput);
        TestSupport::EngineOptions options;
        options.assets = assets.Path();
        options.firstScene = "scenes/boot";
        options.factory = factory;
        StartEngineWithClock(options);
        VelaEngine::SceneManagement::SceneManager::Get().RequestChange(scene_);
        TestSupport::RunFrames(frames, std::move(afterFrame), std::move(beforeFrame));
    }

    FixtureAssets assets;
    Home home;
    // The game's own unless a test adds components of its own.
    VelaEngine::ComponentFactory factory = Game::CreateGameComponent;

private:
    // StartEngine installs the 1/60 s clock; this one goes back in before the first frame.
    void StartEngineWithClock(const TestSupport::EngineOptions& options) {
        TestSupport::StartEngine(options);
        VelaEngine::SetClock(&clock_);
    }

    StepClock clock_;
    std::string scene_;
};

// The first component of type T on the entity with that name in the current scene.
template <class T>
T* Find(const std::string& entity) {
    VelaEngine::Entity* found = VelaEngine::Entity::Find(entity);
    return found != nullptr ? found->GetComponent<T>() : nullptr;
}

}  // namespace GameTest
