#include "game/Jiggle.h"

#include "engine/core/Random.h"
#include "engine/core/Time.h"
#include "engine/entity/Transform.h"

namespace Game {

using namespace VelaEngine;

void Jiggle::Update() {
    // It moves by frames, not time, so only the pause itself can hold it still.
    if (Time::Get().IsPaused()) {
        return;
    }
    Random& random = Random::Get();
    const float dx = random.Range(-kReach, kReach);
    const float dy = random.Range(-kReach, kReach);
    Transform& transform = *GetTransform();
    transform.SetPosition(transform.GetPosition() + Vector2(dx, dy));
}

}  // namespace Game
