#include "game/GameManager.h"

#include <string>

#include "engine/core/Time.h"
#include "engine/core/VEDebug.h"
#include "engine/entity/Transform.h"
#include "engine/graphics/Image.h"
#include "engine/input/Input.h"
#include "engine/persistence/Records.h"
#include "engine/scene/FieldMap.h"
#include "game/LevelPause.h"
#include "game/PlaneRotator.h"
#include "game/SavedValues.h"
#include "game/SceneQueries.h"

namespace Game {

using namespace VelaEngine;

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
    auto copy = MakePacked<GameManager>(newOwner);
    copy->currentLevel = currentLevel;
    return copy;
}

void GameManager::Start() {
    levelStartTime = Time::Get().GetTimeSinceStart();
}

void GameManager::Update() {
    StartFlightAfterCountdown();
    if (levelEnded) {
        return;
    }
    Input& input = Input::Get();
    if (input.GetState(EscapePressed)) {
        ToggleLevelPause();
    }
    // A player who switched to another window cannot see the plane: the level waits for them
    // behind the options window, countdown included. A pause already open stays as it is.
    if (input.GetState(FocusLost)) {
        PauseLevel();
    }
}

void GameManager::StartFlightAfterCountdown() {
    if (flightStartTime >= 0.0f || levelEnded || Time::Get().IsPaused()) {
        return;
    }
    // A scene without the plane's countdown flies from its first frame.
    const PlaneRotator* plane = FindInScene<PlaneRotator>();
    if (plane == nullptr || plane->countdownLeft <= 0.0f) {
        flightStartTime = Time::Get().GetTimeSinceStart();
    }
}

float GameManager::FlightTime() const {
    // The clock matters only while the flight runs.
    const bool running = flightStartTime >= 0.0f && !levelEnded && pausedSince < 0.0f;
    return FlightTimeAt(running ? Time::Get().GetTimeSinceStart() : 0.0f);
}

float GameManager::FlightTimeAt(float now) const {
    if (flightStartTime < 0.0f) {
        return 0.0f;
    }
    float end = 0.0f;
    if (levelEnded) {
        end = flightEndTime;
    } else if (pausedSince >= 0.0f) {
        end = pausedSince;
    } else {
        end = now;
    }
    return end > flightStartTime ? end - flightStartTime : 0.0f;
}

void GameManager::RecordBestTime() {
    const float flight = FlightTime();
    previousBestTime = SavedBestTime(currentLevel);
    // A level ended before its flight began has no time to keep.
    newBestTime = flight > 0.0f && (previousBestTime == 0.0f || flight < previousBestTime);
    if (newBestTime) {
        Records::Get().SetFloat(BestTimeKey(currentLevel), flight);
    }
}

void GameManager::EndLevel(bool won) {
    levelEnded = true;
    levelWon = won;
    flightEndTime = Time::Get().GetTimeSinceStart();
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
    }
    // The ribbon tells of this level's own best, which a win on another level cannot hide.
    RecordBestTime();
    if (newBestTime) {
        MoveEntityTo("newshortesttime", 0.0f, 0.0f);
    }
    for (int n = 1; n <= 3 && starsFound >= n; ++n) {
        records.SetBool("foundstar" + std::to_string(currentLevel) + "_" + std::to_string(n), true);
    }
    records.Save();
}

}  // namespace Game
