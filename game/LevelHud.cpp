#include "game/LevelHud.h"

#include <string>

#include "engine/entity/Entity.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/Text.h"
#include "game/GameManager.h"
#include "game/SceneQueries.h"
#include "game/TimeText.h"

namespace Game {

using namespace VelaEngine;

namespace {
template <class T>
T* ComponentOf(const std::string& entityName) {
    Entity* entity = Entity::Find(entityName);
    return entity != nullptr ? entity->GetComponent<T>() : nullptr;
}

void SetTextOf(const std::string& entityName, const std::string& text) {
    if (auto* label = ComponentOf<Graphics::Text>(entityName)) {
        label->SetText(text);
    }
}
}  // namespace

void LevelHud::Start() {
    manager_ = FindInScene<GameManager>();
    for (int n = 1; n <= 3; ++n) {
        stars_[n - 1] = ComponentOf<Graphics::Image>("HudStar" + std::to_string(n));
    }
    time_ = ComponentOf<Graphics::Text>("HudTime");
}

void LevelHud::Update() {
    if (manager_ == nullptr) {
        return;
    }
    for (int n = 1; n <= 3; ++n) {
        if (stars_[n - 1] != nullptr && manager_->starsFound >= n) {
            stars_[n - 1]->SetTint(Graphics::Color(1.0f, 1.0f, 1.0f, 1.0f));
        }
    }
    if (time_ != nullptr) {
        time_->SetText(FormatFlightTime(manager_->FlightTime()));
    }
    if (manager_->levelEnded && manager_->levelWon && !winShown_) {
        ShowWin();
    }
}

void LevelHud::ShowWin() {
    winShown_ = true;
    SetTextOf("WinTime", "Time " + FormatFlightTime(manager_->FlightTime()));
    const bool oldBestStands = !manager_->newBestTime && manager_->previousBestTime > 0.0f;
    SetTextOf("WinBest",
              oldBestStands ? "Best " + FormatFlightTime(manager_->previousBestTime) : "");
}

}  // namespace Game
