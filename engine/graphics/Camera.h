#pragma once
// Marks the entity whose transform is the view of camera-space canvases.
#include <memory>

#include "engine/entity/Component.h"
#include "engine/entity/Entity.h"

namespace VelaEngine {

namespace SceneManagement {
class Scene;
}

class Camera : public Component {
public:
    using Component::Component;

    const char* GetTypeName() const override { return "Camera"; }
    std::shared_ptr<Component> Clone(Entity* newOwner) const override;
};

// The first Camera of the tree: roots in order, each searched depth first (an entity's own
// components before its children). Null when there is none.
Camera* FindCamera(const EntityList& roots);
Camera* FindCamera(const SceneManagement::Scene* scene);

}  // namespace VelaEngine
