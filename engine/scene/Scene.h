#pragma once
#include "engine/entity/Entity.h"
#include "engine/scene/IResource.h"

namespace VelaEngine::SceneManagement {

// A loaded scene: its root entities in file order.
class Scene : public IResource {
public:
    EntityList& GetRoots() { return roots_; }
    const EntityList& GetRoots() const { return roots_; }

private:
    EntityList roots_;
};

}  // namespace VelaEngine::SceneManagement
