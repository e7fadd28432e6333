#include "engine/entity/FramePasses.h"

#include <cstring>
#include <utility>

#include "engine/entity/CanvasSpace.h"
#include "engine/entity/Entity.h"
#include "engine/entity/MatrixStack.h"
#include "engine/entity/RestShortcut.h"
#include "engine/entity/Transform.h"

namespace VelaEngine {

namespace {

// Works out the entry's placement from its parent's, as the stack would hold it inside the
// entity: the parent's, times the local matrix unless it is the identity, times the camera's
// inverse where a canvas asks for it in the draw pass. After a move alone only the third
// column is worked out again, each element by the same sums as the whole product.
void Rework(PassPlan& plan, std::size_t at, bool canvases) {
    const PlanEntry& entry = plan.entries[at];
    PassPlan::Placement& placement = plan.placements[at];
    Transform& transform = *entry.transform;
    const bool identity = transform.IsIdentity();
    const bool root = entry.parent < 0;
    const PassPlan::Placement* parent =
        root ? nullptr : &plan.placements[static_cast<std::size_t>(entry.parent)];
    const std::uint64_t parentVersion = root ? plan.baseVersion : parent->version;
    const Matrix3x3::Elements& from = root ? plan.base.m : parent->world;
    const bool canvas = canvases && entry.canvas != nullptr;
    std::uint64_t& turn = plan.turns[at];
    if (placement.version != 0 && !canvas && !placement.canvas &&
        placement.parent == parentVersion && !identity && placement.multiplied &&
        turn == transform.GetTurnVersion()) {
        Matrix3x3::MultiplyThirdColumnInto(from, transform.GetLocalMatrix().m, placement.world);
        placement.local = transform.GetMatrixVersion();
        placement.version = plan.NextVersion();
        return;
    }
    std::uint32_t depth = root ? plan.baseDepth : parent->depth;
    if (!identity) {
        Matrix3x3::MultiplyInto(from, transform.GetLocalMatrix().m, placement.world);
        ++depth;
    } else {
        std::memcpy(placement.world, from, sizeof placement.world);
    }
    if (canvas) {
        Matrix3x3 cameraInverse;
        if (entry.canvas->GetCameraInverse(cameraInverse)) {
            Matrix3x3 world;
            std::memcpy(world.m, placement.world, sizeof world.m);
            Matrix3x3::MultiplyInto(world.m, cameraInverse.m, placement.world);
            ++depth;
        }
    }
    placement.depth = depth;
    placement.canvas = canvas;
    placement.multiplied = !identity;
    placement.local = transform.GetMatrixVersion();
    turn = transform.GetTurnVersion();
    placement.parent = parentVersion;
    placement.version = plan.NextVersion();
}

// The placement is kept from an earlier pass while neither the local matrix nor the
// parent's placement changed: most entries are met again so, and cost only this check.
inline void Enter(PassPlan& plan, std::size_t at, bool canvases) {
    const PlanEntry& entry = plan.entries[at];
    const PassPlan::Placement& placement = plan.placements[at];
    Transform& transform = *entry.transform;
    transform.UpdateMatrix();
    const std::uint64_t parentVersion =
        entry.parent < 0 ? plan.baseVersion
                         : plan.placements[static_cast<std::size_t>(entry.parent)].version;
    if (placement.local != transform.GetMatrixVersion() || placement.parent != parentVersion ||
        placement.version == 0 || placement.canvas || (canvases && entry.canvas != nullptr)) {
        Rework(plan, at, canvases);
    }
}

bool SameBits(const Matrix3x3& a, const Matrix3x3& b) {
    return std::memcmp(a.m, b.m, sizeof a.m) == 0;
}

// The stack's matrix and depth under the roots, as the walks find and leave it. Every walk
// puts it back when it ends, so it holds for all the passes of a frame.
void NoteBase(PassPlan& plan, const MatrixStack& stack) {
    const Matrix3x3& base = stack.GetCurrent();
    const auto baseDepth = static_cast<std::uint32_t>(stack.GetDepth());
    if (plan.baseVersion == 0 || baseDepth != plan.baseDepth || !SameBits(base, plan.base)) {
        plan.base = base;
        plan.baseDepth = baseDepth;
        plan.baseVersion = plan.NextVersion();
    }
}

// What the walks left on the stack. Only listeners edit it between the walks' loads, so
// while its edit count stays where it was when the base was last seen, a placement loaded
// stays there for the next call that wants it, and the base goes back once, at the end.
struct Shown {
    bool base = true;
    // When not the base: the placement's version.
    std::uint64_t version = 0;
    // The stack's edit count when the base was last seen.
    std::uint64_t edits = 0;
    // The stack's load count after the walks' last load: a listener may show a matrix of
    // its own and leave it there for the walks to replace.
    std::uint64_t loads = 0;
};

inline void Show(MatrixStack& stack, const PassPlan::Placement& placement, Shown& shown) {
    if (shown.base || shown.version != placement.version || shown.edits != stack.GetEdits() ||
        shown.loads != stack.GetLoads()) {
        stack.Load(placement.world, placement.depth);
        shown.base = false;
        shown.version = placement.version;
        shown.loads = stack.GetLoads();
    }
}

void ShowBase(const PassPlan& plan, MatrixStack& stack, Shown& shown) {
    if (!shown.base) {
        stack.Load(plan.base, plan.baseDepth);
        shown.base = true;
    }
}

// Before a walk: while the stack shows the base, notes the edits it has seen. The walks
// leave the base's matrix as they found it; only a listener's unmatched push can have
// deepened the stack under it.
inline void StartWalk(PassPlan& plan, MatrixStack& stack, Shown& shown) {
    if (shown.base) {
        if (stack.GetDepth() != plan.baseDepth) {
            NoteBase(plan, stack);
        }
        shown.edits = stack.GetEdits();
    }
}

// After a walk: a listener's edits may have moved the base; back to it now, to be seen again.
inline void EndWalk(const PassPlan& plan, MatrixStack& stack, Shown& shown) {
    if (shown.edits != stack.GetEdits()) {
        ShowBase(plan, stack, shown);
    }
}

// A change of shape during a call at entry `at`: lays the plan out again and returns where
// the walk goes on, after the entity's new entry; -1 when it stops, with the entity or its
// root gone. `end` becomes the root's new end.
inline std::int64_t AfterShapeChange(PassPlan& plan, std::size_t r, std::size_t at,
                                     std::size_t& end) {
    const std::int32_t moved = plan.Relayout(static_cast<std::int32_t>(at));
    if (moved < 0 || r >= plan.roots.size()) {
        return -1;
    }
    end = static_cast<std::size_t>(plan.entries[static_cast<std::size_t>(plan.roots[r])].end);
    return moved + 1;
}

// The loop of a walk over the subtree of the plan's root `r`, from entry `at` to `end`:
// every entity whose listeners of `kind` it reaches gets `call` with its placement on the
// stack. A change of shape during a call lays the plan out again and the walk goes on after
// the entity it was in, so a plan fresh when the walk starts is fresh when it ends. The
// stack holds the base NoteBase saw, or what `shown` says.
template <class Call>
void WalkFrom(PassPlan& plan, MatrixStack& stack, Shown& shown, std::size_t r, std::uint8_t kind,
              bool canvases, std::size_t at, std::size_t end, Call&& call) {
    while (at < end) {
        const PlanEntry& entry = plan.entries[at];
        if ((entry.below & kind) == 0) {
            at = static_cast<std::size_t>(entry.end);
            continue;
        }
        Enter(plan, at, canvases);
        if ((entry.own & kind) != 0) {
            Show(stack, plan.placements[at], shown);
            const std::uint64_t shape = EntityTree::shapeChanges;
            call(*entry.entity);
            if (EntityTree::shapeChanges != shape) {
                const std::int64_t next = AfterShapeChange(plan, r, at, end);
                if (next < 0) {
                    break;
                }
                at = static_cast<std::size_t>(next);
                continue;
            }
        }
        ++at;
    }
    EndWalk(plan, stack, shown);
}

// One pass over the subtree of the plan's root `r`.
template <class Call>
void Walk(PassPlan& plan, MatrixStack& stack, Shown& shown, std::size_t r, std::uint8_t kind,
          bool canvases, Call&& call) {
    if (r >= plan.roots.size() ||
        (plan.entries[static_cast<std::size_t>(plan.roots[r])].below & kind) == 0) {
        return;
    }
    StartWalk(plan, stack, shown);
    const auto at = static_cast<std::size_t>(plan.roots[r]);
    WalkFrom(plan, stack, shown, r, kind, canvases, at,
             static_cast<std::size_t>(plan.entries[at].end), std::forward<Call>(call));
}

// The end of a walk over root `r` after a call at its lone entry `at`, made when the tree's
// shape count was `shape`: true when the shape held; otherwise the walk of `kind` goes on over
// what the call added, and the root is no longer known to be alone.
template <class Call>
bool EndAloneWalk(PassPlan& plan, MatrixStack& stack, Shown& shown, std::size_t r, std::size_t at,
                  std::uint64_t shape, std::uint8_t kind, bool canvases, Call&& call) {
    if (EntityTree::shapeChanges == shape) {
        EndWalk(plan, stack, shown);
        return true;
    }
    std::size_t end = 0;
    const std::int64_t next = AfterShapeChange(plan, r, at, end);
    if (next < 0) {
        EndWalk(plan, stack, shown);
    } else {
        WalkFrom(plan, stack, shown, r, kind, canvases, static_cast<std::size_t>(next), end,
                 std::forward<Call>(call));
    }
    return false;
}

// A root alone's placement as its last pass left it worked out, outside the draw pass: while
// its transform notes no change and the base stays, the next pass finds it the same.
struct Entered {
    bool known = false;
    std::uint64_t edits = 0;
    std::uint64_t base = 0;
};

// A walk over root `r` when it is the entry `at` alone, with listeners of `kind`: the most
// common root, visited without the loop. False when the call changed the tree's shape; the
// walk has then gone on over what the call added, and the root is no longer known to be alone.
template <class Call>
bool VisitAlone(PassPlan& plan, MatrixStack& stack, Shown& shown, Entered& entered, std::size_t r,
                std::size_t at, std::uint8_t kind, bool canvases, Call&& call) {
    StartWalk(plan, stack, shown);
    const Transform& transform = *plan.entries[at].transform;
    if (canvases || !entered.known || entered.edits != transform.GetEdits() ||
        entered.base != plan.baseVersion) {
        Enter(plan, at, canvases);
        entered = {!canvases, transform.GetEdits(), plan.baseVersion};
    }
    Show(stack, plan.placements[at], shown);
    const std::uint64_t shape = EntityTree::shapeChanges;
    call(*plan.entries[at].entity);
    return EndAloneWalk(plan, stack, shown, r, at, shape, kind, canvases, std::forward<Call>(call));
}

// The step and collision visits of root `r`, alone at entry `at`, taken by its rest shortcut
// in one call: false, with nothing done, when the shortcut declines. A shape change during
// the call is met as in the collision visit: the walk goes on over what the call added, and
// the root is no longer known to be alone.
template <class Call>
bool RepeatAlone(PassPlan& plan, MatrixStack& stack, Shown& shown, std::size_t r, std::size_t at,
                 const Events::CollisionEvent& event, bool& alone, Call&& collisionCall) {
    StartWalk(plan, stack, shown);
    const std::uint64_t shape = EntityTree::shapeChanges;
    if (!plan.entries[at].shortcut->RepeatStepAndCollision(event)) {
        return false;
    }
    alone = EndAloneWalk(plan, stack, shown, r, at, shape, PassBits::kCollision, false,
                         std::forward<Call>(collisionCall));
    return true;
}

void Gather(const PassPlan& plan, std::size_t r, std::vector<Entity*>& candidates) {
    auto at = static_cast<std::size_t>(plan.roots[r]);
    const auto end = static_cast<std::size_t>(plan.entries[at].end);
    while (at < end) {
        const PlanEntry& entry = plan.entries[at];
        if ((entry.below & PassBits::kCandidate) == 0) {
            at = static_cast<std::size_t>(entry.end);
            continue;
        }
        if ((entry.own & PassBits::kCandidate) != 0) {
            candidates.push_back(entry.entity);
        }
        ++at;
    }
}

}  // namespace

void AwakeStartAndGather(EntityList& roots, CandidateTest candidate,
                         std::vector<Entity*>& candidates) {
    PassPlan& plan = FramePlan();
    plan.Refresh(roots, candidate);
    if ((plan.rootsBelow & PassBits::kAwakeStart) == 0) {
        // Nothing to fire: the gathering walk would find the plan's own list.
        candidates.insert(candidates.end(), plan.candidates.begin(), plan.candidates.end());
        return;
    }
    MatrixStack& stack = MatrixStack::Get();
    NoteBase(plan, stack);
    Shown shown;
    bool fired = false;
    for (std::size_t r = 0;; ++r) {
        Walk(plan, stack, shown, r, PassBits::kAwakeStart, false, [&](Entity& entity) {
            entity.GetAwakeListeners().Fire();
            entity.GetStartListeners().Fire();
            fired = true;
        });
        plan.Refresh(roots, candidate);
        if (r >= plan.roots.size()) {
            break;
        }
        Gather(plan, r, candidates);
    }
    ShowBase(plan, stack, shown);
    if (fired) {
        // Fired hooks are gone: later frames need not stop where they were.
        plan.Invalidate();
    }
}

void FrameCandidates::GatherInto(EntityList& roots, CandidateTest candidate,
                                 Events::CollisionEvent& event) {
    const std::uint64_t stamp = std::exchange(stamp_, 0);
    event.candidates = std::move(list_);
    PassPlan& plan = FramePlan();
    plan.Refresh(roots, candidate);
    if ((plan.rootsBelow & PassBits::kAwakeStart) == 0) {
        if (stamp == 0 || stamp != plan.GetStamp()) {
            event.candidates.assign(plan.candidates.begin(), plan.candidates.end());
        }
        event.listStamp = plan.GetStamp();
        return;
    }
    event.candidates.clear();
    event.listStamp = 0;
    AwakeStartAndGather(roots, candidate, event.candidates);
}

void FrameCandidates::KeepFrom(Events::CollisionEvent& event) {
    list_ = std::move(event.candidates);
    stamp_ = event.listStamp;
}

namespace FramePassState {
const std::uint64_t* runningBase = nullptr;
}  // namespace FramePassState

namespace {
// Points RootPassBaseVersion at the plan while the root passes run, also when a listener's
// call unwinds.
class RootPassesRunning {
public:
    explicit RootPassesRunning(const PassPlan& plan) {
        FramePassState::runningBase = &plan.baseVersion;
    }
    ~RootPassesRunning() { FramePassState::runningBase = nullptr; }
    RootPassesRunning(const RootPassesRunning&) = delete;
    RootPassesRunning& operator=(const RootPassesRunning&) = delete;
};
}  // namespace

void RunRootPasses(EntityList& roots, CandidateTest candidate,
                   const Events::CollisionEvent& event) {
    PassPlan& plan = FramePlan();
    const RootPassesRunning running(plan);
    MatrixStack& stack = MatrixStack::Get();
    const Events::EventBase& empty = Events::EmptyEvent();
    NoteBase(plan, stack);
    Shown shown;
    for (std::size_t r = 0;; ++r) {
        plan.Refresh(roots, candidate);
        if (r >= plan.roots.size()) {
            break;
        }
        // Past the roots with nothing to call: no call, so no change of shape, between them.
        r = static_cast<std::size_t>(plan.nextBusy[r]);
        if (r >= plan.roots.size()) {
            break;
        }
        // A root alone, with no children, takes its passes without a walk each, until a call
        // changes the tree's shape.
        const auto at = static_cast<std::size_t>(plan.roots[r]);
        bool alone = plan.entries[at].end == static_cast<std::int32_t>(at) + 1;
        const std::uint8_t own = plan.entries[at].own;
        Entered entered;
        auto pass = [&](std::uint8_t kind, bool canvases, auto&& call) {
            if (!alone) {
                Walk(plan, stack, shown, r, kind, canvases, call);
            } else if ((own & kind) != 0) {
                alone = VisitAlone(plan, stack, shown, entered, r, at, kind, canvases, call);
            }
        };
        auto collide = [&](Entity& entity) { entity.GetCollisionEventListeners().Invoke(event); };
        pass(PassBits::kUpdate, false,
             [&](Entity& entity) { entity.GetUpdateListeners().Invoke(empty); });
        constexpr std::uint8_t kStepAndCollision = PassBits::kStep | PassBits::kCollision;
        if (!alone || (own & kStepAndCollision) != kStepAndCollision ||
            plan.entries[at].shortcut == nullptr ||
            !RepeatAlone(plan, stack, shown, r, at, event, alone, collide)) {
            pass(PassBits::kStep, false,
                 [&](Entity& entity) { entity.GetPhysicsStepListeners().Invoke(empty); });
            pass(PassBits::kCollision, false, collide);
        }
        pass(PassBits::kDraw, true,
             [&](Entity& entity) { entity.GetDrawListeners().Invoke(empty); });
    }
    ShowBase(plan, stack, shown);
}

}  // namespace VelaEngine
