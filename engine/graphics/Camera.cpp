#include "engine/graphics/Camera.h"

#include "engine/scene/Scene.h"

namespace VelaEngine {

namespace {
Camera* FindCameraBelow(const Entity& entity) {
    if (Camera* camera = entity.GetComponent<Camera>()) {
        return camera;
    }
    for (const auto& child : entity.GetChildren()) {
        if (Camera* camera = FindCameraBelow(*child)) {
            return camera;
        }
    }
    return nullptr;
}
}  // namespace

std::shared_ptr<Component> Camera::Clone(Entity* newOwner) const {
    return MakePacked<Camera>(newOwner);
}

Camera* FindCamera(const EntityList& roots) {
    for (const auto& root : roots) {
        if (Camera* camera = FindCameraBelow(*root)) {
            return camera;
        }
    }
    return nullptr;
}

Camera* FindCamera(const SceneManagement::Scene* scene) {
    return scene != nullptr ? FindCamera(scene->GetRoots()) : nullptr;
}

}  // namespace VelaEngine
