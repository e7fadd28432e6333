#include "game/SplashScript.h"

#include "engine/audio/AudioManager.h"
#include "engine/core/Time.h"
#include "engine/graphics/Display.h"
#include "engine/input/Input.h"
#include "engine/scene/FieldMap.h"
#include "engine/scene/SceneManager.h"
#include "game/SavedValues.h"

namespace Game {

using namespace VelaEngine;

void SplashScript::Deserialize(const FieldMap& fields) {
    nextScene = fields.Get("nextScene", "");
    duration = fields.Get("duration", 0.0f);
    remaining = duration;
}

void SplashScript::Start() {
    // The first scene of a run is a splash, so this is where the saved volume takes effect.
    Audio::AudioManager::Get().SetVolume(SavedVolume());
    // Only a choice the player made: runs without one keep the window they started with.
    if (const std::optional<bool> full = SavedFullScreen()) {
        Display& display = Display::Get();
        if (display.IsFullscreen() != *full) {
            display.SetFullscreen(*full);
        }
    }
}

void SplashScript::Update() {
    remaining -= Time::Get().GetDeltaTime();
    if (remaining < 0.0f) {
        SceneManagement::SceneManager::Get().RequestChange(nextScene);
    } else if (duration - remaining > kSkipAfter && SkipPressed()) {
        SceneManagement::SceneManager::Get().RequestChange(nextScene);
    }
}

bool SplashScript::SkipPressed() {
    Input& input = Input::Get();
    for (int code : {MouseLeftPressed, MouseRightPressed, SpacePressed, EnterPressed, APressed,
                     EscapePressed}) {
        if (input.GetState(code)) {
            return true;
        }
    }
    return false;
}

}  // namespace Game
