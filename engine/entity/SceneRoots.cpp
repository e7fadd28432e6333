#include "engine/entity/SceneRoots.h"

namespace VelaEngine {

namespace {
const EntityList* g_sceneRoots = nullptr;
}  // namespace

void SetSceneRoots(const EntityList* roots) {
    g_sceneRoots = roots;
}
const EntityList* GetSceneRoots() {
    return g_sceneRoots;
}

}  // namespace VelaEngine
