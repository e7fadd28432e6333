#include "engine/physics/CollisionCandidates.h"

namespace VelaEngine {

// Colliders and bodies are not written yet, so no entity can be a candidate.
void GatherPhysicsCandidates(Entity&, std::vector<Entity*>&) {}

}  // namespace VelaEngine
