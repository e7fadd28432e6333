#pragma once
// The root list that entity lookups search: the current scene's. The scene manager points
// it at its scene; until something does, lookups find nothing.
#include "engine/entity/Entity.h"

namespace VelaEngine {

// Null for no scene. The list must outlive its registration.
void SetSceneRoots(const EntityList* roots);
const EntityList* GetSceneRoots();

}  // namespace VelaEngine
