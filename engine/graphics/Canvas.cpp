#include "engine/graphics/Canvas.h"

#include "engine/entity/Entity.h"
#include "engine/entity/SceneRoots.h"
#include "engine/entity/Transform.h"
#include "engine/graphics/Camera.h"
#include "engine/scene/FieldMap.h"

namespace VelaEngine::Graphics {

void Canvas::Deserialize(const FieldMap& fields) {
    const std::string mode = fields.Get("renderMode", "");
    renderMode_ = mode == "ScreenSpace" ? kScreenSpace : kCameraSpace;
}

std::shared_ptr<Component> Canvas::Clone(Entity* newOwner) const {
    auto copy = MakePacked<Canvas>(newOwner);
    copy->renderMode_ = renderMode_;
    return copy;
}

bool Canvas::GetCameraInverse(Matrix3x3& cameraInverse) {
    if (renderMode_ != kCameraSpace) {
        return false;
    }
    const EntityList* roots = GetSceneRoots();
    Camera* camera = roots != nullptr ? FindCamera(*roots) : nullptr;
    if (camera == nullptr) {
        return false;
    }
    // The camera entity's own placement, not its world one: cameras sit on roots.
    cameraInverse = camera->GetOwner()->GetTransform().GetLocalMatrix().Inverse();
    return true;
}

}  // namespace VelaEngine::Graphics
