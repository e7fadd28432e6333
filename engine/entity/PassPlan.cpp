#include "engine/entity/PassPlan.h"

#include "engine/entity/Entity.h"
#include "engine/entity/Transform.h"

namespace VelaEngine {

namespace {
std::uint8_t OwnBits(Entity& entity, CandidateTest candidate) {
    std::uint8_t bits = 0;
    if (!entity.GetAwakeListeners().Empty() || !entity.GetStartListeners().Empty()) {
        bits |= PassBits::kAwakeStart;
    }
    if (!entity.GetUpdateListeners().Empty()) {
        bits |= PassBits::kUpdate;
    }
    if (!entity.GetPhysicsStepListeners().Empty()) {
        bits |= PassBits::kStep;
    }
    if (!entity.GetCollisionEventListeners().Empty()) {
        bits |= PassBits::kCollision;
    }
    if (!entity.GetDrawListeners().Empty()) {
        bits |= PassBits::kDraw;
    }
    if (candidate != nullptr && candidate(entity)) {
        bits |= PassBits::kCandidate;
    }
    return bits;
}
}  // namespace

PassPlan& FramePlan() {
    static PassPlan plan;
    return plan;
}

void PassPlan::Layout(EntityList& roots, CandidateTest candidate) {
    list_ = &roots;
    candidate_ = candidate;
    Build();
}

void PassPlan::Build() {
    static std::uint64_t layouts = 0;
    stamp_ = ++layouts;
    builtAt_ = EntityTree::shapeChanges;
    entries.clear();
    roots.clear();
    for (const auto& root : *list_) {
        roots.push_back(static_cast<std::int32_t>(entries.size()));
        Append(*root, -1);
    }
    // Children come after their parent, so one backward sweep gathers every subtree.
    for (std::size_t i = entries.size(); i-- > 0;) {
        const PlanEntry& entry = entries[i];
        if (entry.parent >= 0) {
            entries[static_cast<std::size_t>(entry.parent)].below |= entry.below;
        }
    }
    placements.assign(entries.size(), Placement{});
    turns.assign(entries.size(), 0);
    rootsBelow = 0;
    for (const std::int32_t root : roots) {
        rootsBelow |= entries[static_cast<std::size_t>(root)].below;
    }
    nextBusy.assign(roots.size() + 1, static_cast<std::int32_t>(roots.size()));
    for (std::size_t r = roots.size(); r-- > 0;) {
        const bool busy =
            (entries[static_cast<std::size_t>(roots[r])].below & PassBits::kFrame) != 0;
        nextBusy[r] = busy ? static_cast<std::int32_t>(r) : nextBusy[r + 1];
    }
    candidates.clear();
    for (const PlanEntry& entry : entries) {
        if ((entry.own & PassBits::kCandidate) != 0) {
            candidates.push_back(entry.entity);
        }
    }
}

void PassPlan::Append(Entity& entity, std::int32_t parent) {
    const auto at = static_cast<std::int32_t>(entries.size());
    entity.SetPassSlot(at);
    PlanEntry entry;
    entry.entity = &entity;
    entry.transform = entity.GetTransformPtr();
    entry.canvas = entity.GetCanvasSpace();
    entry.shortcut = entity.GetRestShortcut();
    entry.parent = parent;
    entry.own = OwnBits(entity, candidate_);
    entry.below = entry.own;
    entries.push_back(entry);
    for (const auto& child : entity.GetChildren()) {
        Append(*child, at);
    }
    entries[static_cast<std::size_t>(at)].end = static_cast<std::int32_t>(entries.size());
}

std::int32_t PassPlan::Relayout(std::int32_t at) {
    struct Kept {
        Entity* entity;
        Placement placement;
        std::uint64_t turn;
    };
    std::vector<Kept> kept;
    for (std::int32_t i = at; i >= 0; i = entries[static_cast<std::size_t>(i)].parent) {
        const auto slot = static_cast<std::size_t>(i);
        kept.push_back({entries[slot].entity, placements[slot], turns[slot]});
    }
    Build();
    for (const Kept& k : kept) {
        const std::int32_t slot = k.entity->GetPassSlot();
        if (slot < 0 || static_cast<std::size_t>(slot) >= entries.size() ||
            entries[static_cast<std::size_t>(slot)].entity != k.entity) {
            // Taken out of the tree while the walk was inside it.
            return -1;
        }
        placements[static_cast<std::size_t>(slot)] = k.placement;
        turns[static_cast<std::size_t>(slot)] = k.turn;
    }
    return kept.front().entity->GetPassSlot();
}

}  // namespace VelaEngine
