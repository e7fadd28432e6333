#include "game/GameWin.h"

#include "engine/core/VEDebug.h"
#include "engine/entity/Entity.h"
#include "engine/physics/DynamicBody2D.h"
#include "game/GameManager.h"
#include "game/SceneQueries.h"

namespace Game {

using namespace VelaEngine;

void GameWin::OnCollision(Entity* const& other) {
    GameManager* manager = FindInScene<GameManager>();
    // Without a level to end there is nothing to win; after the end, nothing more to win.
    if (manager == nullptr || manager->levelEnded || other == nullptr) {
        return;
    }
    Log(other->GetName());
    if (other->GetName() != "Airplane") {
        return;
    }
    if (auto* body = other->GetComponent<DynamicBody2D>()) {
        body->SetVelocity(Vector2(0.0f, 0.0f));
    }
    manager->EndLevel(true);
    if (MoveEntityTo("WinWindow", 0.0f, 0.0f)) {
        LightStars(manager->starsFound);
    }
}

}  // namespace Game
