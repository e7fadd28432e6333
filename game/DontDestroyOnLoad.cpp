#include "game/DontDestroyOnLoad.h"

#include "engine/core/VEDebug.h"
#include "engine/entity/Entity.h"
#include "engine/entity/Transform.h"

namespace Game {

using namespace VelaEngine;

void DontDestroyOnLoad::Awake() {
    // Only roots are carried into the next scene; a child would go with its parent.
    Assert(GetTransform()->GetParent() == nullptr, "Only root Entities can be persistent");
    GetOwner()->SetPersistent(true);
}

}  // namespace Game
