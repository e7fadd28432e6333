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

// The frame's collision candidates, kept from one frame to the next. While no hook fires and
// the tree keeps the shape the list was gathered from, the list stays as it is, and the
// event's stamp (CollisionEvent::listStamp) tells the broad phase so.
class FrameCandidates {
public:
    // AwakeStartAndGather into `event`, starting from the kept list.
    void GatherInto(EntityList& roots, CandidateTest candidate, Events::CollisionEvent& event);
    // Takes the list back once the frame's passes are through. Until then nothing is kept,
    // so a frame that unwinds leaves no stale stamp behind.
    void KeepFrom(Events::CollisionEvent& event);

private:
    std::vector<Entity*> list_;
    std::uint64_t stamp_ = 0;
};

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
