#include "engine/physics/CollisionCandidates.h"

#include "engine/entity/EntityPasses.h"
#include "engine/physics/Collider.h"
#include "engine/physics/RigidBody2D.h"

namespace VelaEngine {

void GatherPhysicsCandidates(Entity& root, std::vector<Entity*>& candidates) {
    GatherCollisionCandidates<Collision::Collider, RigidBody2D>(root, candidates);
}

}  // namespace VelaEngine
