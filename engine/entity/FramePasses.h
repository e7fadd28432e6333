#pragma once
// The frame's passes over a whole root list, as the scene runs them: the same visits, order
// and placements as the per-entity passes of EntityPasses.h, walked over the list's flat
// plan so that entities with nothing to call cost nothing.
#include <cstdint>
#include <vector>

#include "engine/entity/CollisionEvents.h"
#include "engine/entity/PassPlan.h"

namespace VelaEngine {

class EntityList;

// Root by root: the root's awake and start hooks, then its collision candidates (entities
// that `candidate` accepts) appended in tree order. Roots added meanwhile are reached.
void AwakeStartAndGather(EntityList& roots, CandidateTest candidate,
                         std::vector<Entity*>& candidates);

// AwakeStartAndGather into a list kept from frame to frame, which holds the list this call
// last returned `stamp` for. While no hook fires and the tree keeps the shape that list was
// gathered from, the list stays as it is. Returns its stamp now: 0 when a walk that fired
// hooks gathered it.
std::uint64_t GatherFrameCandidates(EntityList& roots, CandidateTest candidate,
                                    std::vector<Entity*>& candidates, std::uint64_t stamp);

// Root by root: update, physics step, collision and draw over the root's subtree, so an
// earlier root is drawn before a later one updates.
void RunRootPasses(EntityList& roots, CandidateTest candidate, const Events::CollisionEvent& event);

namespace FramePassState {
// The plan's base version while RunRootPasses runs, else null.
extern const std::uint64_t* runningBase;
}  // namespace FramePassState

// While RunRootPasses runs: a number that changes whenever the matrix under the roots does,
// so that a root's placement follows from its own transform alone; 0 at any other time.
// Inline: every resting body asks twice a frame.
inline std::uint64_t RootPassBaseVersion() {
    return FramePassState::runningBase != nullptr ? *FramePassState::runningBase : 0;
}

}  // namespace VelaEngine
