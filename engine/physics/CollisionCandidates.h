#pragma once
#include <vector>

namespace VelaEngine {

class Entity;

// Appends, in tree order, every entity below and including `root` that has both a collider
// and a body: the frame's collision candidates.
void GatherPhysicsCandidates(Entity& root, std::vector<Entity*>& candidates);

}  // namespace VelaEngine
