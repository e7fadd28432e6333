#pragma once
// The two questions a resting body asks the broad phase every frame, before its step: inline,
// for they are most of what a frame at rest costs.
#include "engine/entity/CollisionEvents.h"
#include "engine/entity/Transform.h"
#include "engine/physics/ContactBroadPhase.h"

namespace VelaEngine::Collision {

inline ContactBroadPhase* ContactBroadPhase::Current() {
    if (allPairs_ || openUses_ != 0) {
        return nullptr;
    }
    ContactBroadPhase& phase = Shared();
    // Synced with an older event, the next Use may lay the list out again.
    if (phase.stale_ || phase.serial_ != Events::CollisionEvent::LatestSerial()) {
        return nullptr;
    }
    return &phase;
}

inline bool ContactBroadPhase::KeptListStands(const Transform& transform,
                                              const KeptListMark& mark) {
    // Under the layout the mark was made in, the body's tag is still its own alone, as
    // OwnOnlyTag found it then, while this broad phase still watches its transform.
    if (mark.layout != layouts_ || transform.GetWatcher() != this ||
        transform.GetWatchTag() != mark.tag) {
        return false;
    }
    TakeChangesBut(mark.tag);
    const NearCache& cache = caches_[mark.entry];
    if (stale_ || cache.serial != mark.list || cache.madeAt != fixedChanges_ ||
        stillChanges_ != mark.stillAt ||
        dynamic_.LastChangeIn(cache.cells, cache.buckets) > cache.dynamicAt) {
        return false;
    }
    // A moving candidate may move inside the list's cells without leaving them.
    if (moves_ != mark.movesAt) {
        for (std::size_t i = 0; i < cache.count; ++i) {
            const std::uint32_t id = cache.ids[i];
            if (movedAt_[id] > mark.movesAt && entries_[id].entity != transform.GetOwner()) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace VelaEngine::Collision
