#include "game/LevelPause.h"

#include "engine/audio/AudioManager.h"
#include "engine/core/Time.h"
#include "engine/entity/Entity.h"
#include "game/GameManager.h"
#include "game/SceneQueries.h"

namespace Game {

using namespace VelaEngine;

namespace {
// Far off screen: where the closed window waits.
constexpr float kAwayX = 100000000.0f;
constexpr float kAwayY = 9999999.0f;
}  // namespace

void PauseLevel() {
    Time& time = Time::Get();
    if (time.IsPaused()) {
        return;
    }
    time.SetPaused(true);
    MoveEntityTo("OptionsWindow", 0.0f, 0.0f);
    Audio::AudioManager::Get().SetPaused(true);
    if (GameManager* manager = FindInScene<GameManager>()) {
        manager->optionsOpen = true;
        manager->pausedSince = time.GetTimeSinceStart();
    }
}

void ResumeLevel() {
    Time& time = Time::Get();
    if (!time.IsPaused()) {
        return;
    }
    time.SetPaused(false);
    GameManager* manager = FindInScene<GameManager>();
    if (Entity::Find("OptionsWindow") != nullptr) {
        LightStars(manager != nullptr ? manager->starsFound : 0);
        MoveEntityTo("OptionsWindow", kAwayX, kAwayY);
    }
    Audio::AudioManager::Get().SetPaused(false);
    if (manager != nullptr) {
        manager->optionsOpen = false;
        // The level's clock starts later by the time spent paused.
        if (manager->pausedSince >= 0.0f) {
            const float paused = time.GetTimeSinceStart() - manager->pausedSince;
            manager->levelStartTime += paused;
            if (manager->flightStartTime >= 0.0f) {
                manager->flightStartTime += paused;
            }
        }
        manager->pausedSince = -1.0f;
    }
}

void ToggleLevelPause() {
    if (Time::Get().IsPaused()) {
        ResumeLevel();
    } else {
        PauseLevel();
    }
}

}  // namespace Game
