#include "engine/physics/CollisionCandidates.h"

#include "engine/entity/Entity.h"
#include "engine/physics/PhysicsComponents.h"

namespace VelaEngine {

void GatherPhysicsCandidates(Entity& root, std::vector<Entity*>& candidates) {
    if (HasColliderAndBody(root)) {
        candidates.push_back(&root);
    }
    for (const auto& child : root.GetChildren()) {
        GatherPhysicsCandidates(*child, candidates);
    }
}

}  // namespace VelaEngine
