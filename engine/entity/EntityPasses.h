#pragma once
// The recursive passes by which one entity and its descendants receive a frame's events.
// The scene's frame calls them root by root. Each pass visits an entity before its
// children, children in list order, with the entity's world placement on top of the
// MatrixStack while its listeners run.
#include <functional>
#include <vector>

#include "engine/entity/CollisionEvents.h"
#include "engine/entity/Entity.h"

namespace VelaEngine {

// Fires the awake list and then the start list of each entity (once: firing empties them).
void AwakeStartPass(Entity& entity);

// Appends, in tree order, every entity that has both a component of type Collider and one of
// type Body. No matrices are involved.
template <class Collider, class Body>
void GatherCollisionCandidates(Entity& entity, std::vector<Entity*>& candidates) {
    if (entity.GetComponent<Collider>() != nullptr && entity.GetComponent<Body>() != nullptr) {
        candidates.push_back(&entity);
    }
    for (const auto& child : entity.GetChildren()) {
        GatherCollisionCandidates<Collider, Body>(*child, candidates);
    }
}

void UpdatePass(Entity& entity);
void PhysicsStepPass(Entity& entity);
void CollisionPass(Entity& entity, const Events::CollisionEvent& event);
// Below a camera-space canvas the camera's inverse is on the stack as well.
void DrawPass(Entity& entity);
// Children first, last child first, then the entity's own components in order; the first
// that consumes the click ends the pass. True when the click was consumed.
bool ClickPass(Entity& entity);
// The click pass's order and placement for any question about what lies under the cursor:
// the first component for which visit returns true ends the walk. True when one did.
bool TopDownPass(Entity& entity, const std::function<bool(Component&)>& visit);

// End of frame: destroyed roots leave the list, then destroyed descendants leave their
// parents; a removed entity takes its whole subtree with it.
void RemoveDestroyed(EntityList& roots);

}  // namespace VelaEngine
