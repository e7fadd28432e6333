#include "engine/core/FrontEnd.h"

#include "engine/audio/AudioManager.h"
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
#include "platform/EBSystem.h"

namespace VelaEngine {

void FrontEnd::Init(const ComponentFactory& factory, const std::string& firstScene,
                    void* const& instance, const uint32_t& seed, const Vector2& gravity,
                    const std::string& title, const Vector2& windowSize, const bool& fullscreen,
                    const bool& cursorVisible, const unsigned& frameRate, const bool& console) {
    title_ = title;

    Display::Create();
    Display::Get().Init(title_, fullscreen, cursorVisible, console, windowSize, instance);
    Log("Running: Vela Engine\n");

    Random::Create();
    DataStore::Create();
    Records::Create();
    Audio::AudioManager::Create();
    Resources::Create();
    MatrixStack::Create();
    Input::Create();
    SceneManagement::SceneManager::Create();
    Time::Create();
    Physics::Create();

    Random::Get().SetSeed(seed);
    DataStore::Get().Init("data");
    Records::Get().Init("records", title_);
    Audio::AudioManager::Get().Init();
    Resources::Get().Init(assetPath_, factory);
    SceneManagement::SceneManager::Get().LoadFirstScene(firstScene);
    Time::Get().SetFrameRate(frameRate);
    Physics::Get().Init(gravity);
}

void FrontEnd::Run() {
    Log("Running game loop");
    // Both conditions are read only here, so a quit or a close lets the frame finish.
    while (EBSysDoesWindowExist() != 0 && !quitRequested_) {
        RunFrame();
    }
    Log("Quitting game loop");
}

void FrontEnd::RunFrame() {
    const unsigned frame = ++frameNumber_;
    if (hooks_.beforeFrame) {
        hooks_.beforeFrame(frame);
    }
    Time::Get().FrameStart();
    EBSysFrameStart();
    Input::Get().Update();
    Audio::AudioManager::Get().Update();
    MatrixStack::Get().Reset();
    SceneManagement::SceneManager::Get().Update();
    if (hooks_.beforePresent) {
        hooks_.beforePresent(frame);
    }
    EBSysFrameEnd();
    if (hooks_.afterPresent) {
        hooks_.afterPresent(frame);
    }
    Time::Get().FrameEnd();
    if (hooks_.afterFrame) {
        hooks_.afterFrame(frame);
    }
}

}  // namespace VelaEngine
