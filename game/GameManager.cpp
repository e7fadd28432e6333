#include "game/GameManager.h"

#include <string>

#include "engine/audio/AudioManager.h"
#include "engine/core/Time.h"
#include "engine/core/VEDebug.h"
#include "engine/entity/Transform.h"
#include "engine/graphics/Image.h"
#include "engine/input/Input.h"
#include "engine/persistence/Records.h"
#include "engine/scene/FieldMap.h"
#include "game/SavedValues.h"
#include "game/SceneQueries.h"

namespace Game {

using namespace VelaEngine;

namespace {
// Far off screen: where a closed window waits.
constexpr float kAwayX = 100000000.0f;
constexpr float kAwayY = 9999999.0f;
}  // namespace

void LightStars(int starsFound) {
    for (int n = 1; n <= 3 && n <= starsFound; ++n) {
        Entity* star = Entity::Find("Star" + std::to_string(n));
        if (star == nullptr) {
            continue;
        }
        if (auto* image = star->GetComponent<Graphics::Image>()) {
            image->SetTint(Graphics::Color(1.0f, 1.0f, 1.0f, 1.0f));
        }
    }
}

void GameManager::Deserialize(const FieldMap& fields) {
    if (!fields.TryGet("currentLevel", currentLevel)) {
        Fail("Game manager doesn't know the current level");
    }
}

std::shared_ptr<Component> GameManager::Clone(Entity* newOwner) const {
    auto copy = std::make_shared<GameManager>(newOwner);
    copy->currentLevel = currentLevel;
    return copy;
}

void GameManager::Start() {
    levelStartTime = Time::Get().GetTimeSinceStart();
}

void GameManager::Update() {
    if (!levelEnded && Input::Get().GetState(EscapePressed)) {
        ToggleOptions();
    }
}

void GameManager::ToggleOptions() {
    Entity* window = Entity::Find("OptionsWindow");
    Time& time = Time::Get();
    if (optionsOpen) {
        if (window != nullptr) {
            LightStars(starsFound);
            window->GetTransform().SetPosition(Vector2(kAwayX, kAwayY));
        }
        time.SetPaused(!time.IsPaused());
        optionsOpen = false;
        Audio::AudioManager::Get().SetPaused(false);
    } else {
        if (window != nullptr) {
            window->GetTransform().SetPosition(Vector2(0.0f, 0.0f));
        }
        Audio::AudioManager::Get().SetPaused(true);
        optionsOpen = true;
        time.SetPaused(!time.IsPaused());
    }
}

void GameManager::EndLevel(bool won) {
    levelEnded = true;
    if (!won) {
        PlayOn(*GetOwner(), "sounds/sfx/lose");
        return;
    }
    PlayOn(*GetOwner(), "sounds/sfx/win");
    Records& records = Records::Get();
    // Level 1 is open from the start, so winning it on a fresh save unlocks level 2.
    if (SavedHighestLevelUnlocked() == currentLevel) {
        records.SetInt("highestLevelUnlocked", currentLevel + 1);
    }
    // No stored time means no best time yet: the first win sets it.
    const float t = Time::Get().GetTimeSinceStart() - levelStartTime;
    const float best = SavedShortestTime();
    if (best == 0.0f || best > t) {
        records.SetFloat("shortestTime", t);
        MoveEntityTo("newshortesttime", 0.0f, 0.0f);
    }
    for (int n = 1; n <= 3 && starsFound >= n; ++n) {
        records.SetBool("foundstar" + std::to_string(currentLevel) + "_" + std::to_string(n), true);
    }
    records.Save();
}

}  // namespace Game
