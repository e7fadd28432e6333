#include "game/DestroyAfter.h"

#include "engine/core/Time.h"
#include "engine/entity/Entity.h"

namespace Game {

void DestroyAfter::Update() {
    VelaEngine::Time& time = VelaEngine::Time::Get();
    if (time.IsPaused()) {
        return;
    }
    elapsed += time.GetDeltaTime();
    if (elapsed > kLifetime) {
        GetOwner()->Destroy();
    }
}

}  // namespace Game
