#pragma once
// The real engine for harnesses that load scenes and sprites: started once per process,
// offscreen, over an asset folder in the scratch folder whose sprites and sounds are the
// game's own. Frames are the main loop's, one at a time.
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "engine/audio/AudioManager.h"
#include "engine/core/Clock.h"
#include "engine/core/FrontEnd.h"
#include "engine/core/Time.h"
#include "engine/entity/MatrixStack.h"
#include "engine/input/Input.h"
#include "engine/scene/SceneManager.h"
#include "fuzz/support/FuzzHarness.h"
#include "game/GameStart.h"
#include "platform/EBInput.h"
#include "platform/EBSystem.h"

namespace FuzzSupport {

constexpr const char* kEmptyScene = "scenes/empty";

// Where the harness puts the files it wants the engine to read, relative to the scratch folder.
// "sprites" and "sounds" are the game's own folders (links): never write below them.
inline std::string AssetFile(const std::string& name) {
    return "assets/" + name;
}

namespace Detail {
// The frame in which the scripted left button goes down, counted per input by the harness.
inline unsigned g_frame = 0;
inline unsigned g_clickFrame = 0;

inline void ScriptedInput(EBInputSnapshot& snapshot) {
    snapshot.cursorX = 80;
    snapshot.cursorY = 45;
    snapshot.keys[0x01] = g_frame == g_clickFrame ? 0x80 : 0;
}
}  // namespace Detail

// A small window: the picture's size does not matter to what is fuzzed, its cost does.
inline void StartEngineOnce() {
    static const bool started = [] {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        setenv("HOME", ScratchFolder().c_str(), 1);
        const std::string assets = ScratchFolder() + "/assets";
        WriteScratch(AssetFile(kEmptyScene) + ".scene", "");
        for (const char* folder : {"sprites", "sounds"}) {
            std::filesystem::create_directory_symlink(
                std::string(FLEETWING_SOURCE_DIR) + "/assets/" + folder, assets + "/" + folder);
        }
        static VelaEngine::FixedStepClock clock;
        VelaEngine::SetClock(&clock);
        EBInputSetSource(&Detail::ScriptedInput);
        Game::StartOptions start;
        start.assets = assets;
        start.firstScene = kEmptyScene;
        start.width = 160.0f;
        start.height = 90.0f;
        Game::StartGame(start);
        return true;
    }();
    (void)started;
}

// One pass of the main loop's frame, in its order. `frame` counts from 1 within an input;
// the left button goes down in frame `clickFrame`.
inline void RunFrame(unsigned frame, unsigned clickFrame) {
    Detail::g_frame = frame;
    Detail::g_clickFrame = clickFrame;
    VelaEngine::Time::Get().FrameStart();
    EBSysFrameStart();
    VelaEngine::Input::Get().Update();
    VelaEngine::Audio::AudioManager::Get().Update();
    VelaEngine::MatrixStack::Get().Reset();
    VelaEngine::SceneManagement::SceneManager::Get().Update();
    EBSysFrameEnd();
    VelaEngine::Time::Get().FrameEnd();
}

}  // namespace FuzzSupport
