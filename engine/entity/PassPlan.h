#pragma once
// The tree of a root list laid out flat, in the order the passes visit it: each entity's
// parent, the end of its subtree and which passes have something to call in it. The frame's
// passes walk it by index and jump over subtrees with nothing for them, without touching
// their entities. It is laid out again after any change of the tree's shape, also in the
// middle of a walk, which then goes on from the entity it was visiting.
#include <cstdint>
#include <vector>

#include "engine/entity/EntityList.h"
#include "engine/entity/Matrix3x3.h"

namespace VelaEngine {

class Entity;
class ICanvasSpace;
class RestShortcut;
class Transform;

// What a pass may find at an entity: bits of PlanEntry::own and PlanEntry::below.
namespace PassBits {
inline constexpr std::uint8_t kAwakeStart = 1;
inline constexpr std::uint8_t kUpdate = 2;
inline constexpr std::uint8_t kStep = 4;
inline constexpr std::uint8_t kCollision = 8;
inline constexpr std::uint8_t kDraw = 16;
inline constexpr std::uint8_t kCandidate = 32;
// What the frame's root passes call.
inline constexpr std::uint8_t kFrame = kUpdate | kStep | kCollision | kDraw;
}  // namespace PassBits

// Whether an entity is one of the frame's collision candidates (the physics layer says).
using CandidateTest = bool (*)(const Entity&);

struct PlanEntry {
    Entity* entity = nullptr;
    Transform* transform = nullptr;
    ICanvasSpace* canvas = nullptr;
    RestShortcut* shortcut = nullptr;
    std::int32_t parent = -1;
    // One past the last entry of the subtree.
    std::int32_t end = 0;
    std::uint8_t own = 0;
    std::uint8_t below = 0;
};

class PassPlan {
public:
    // Lays the list out again when its shape changed since the last time, or when it is
    // another list or another test.
    void Refresh(EntityList& roots, CandidateTest candidate) {
        if (builtAt_ != EntityTree::shapeChanges || list_ != &roots || candidate_ != candidate) {
            Layout(roots, candidate);
        }
    }
    // The next Refresh lays the list out again, for changes the shape count does not see
    // (hooks fired and gone).
    void Invalidate() { builtAt_ = kNever; }

    // After a change of shape in the middle of a walk: lays the list out again, keeps the
    // placements worked out for `entity` and its ancestors, and returns the entity's new
    // entry; -1 when it is no longer in the tree.
    std::int32_t Relayout(std::int32_t at);

    std::vector<PlanEntry> entries;
    // The entry of each root, in list order.
    std::vector<std::int32_t> roots;
    // What the roots' subtrees have between them (PassBits).
    std::uint8_t rootsBelow = 0;
    // By root, and one past the last: the first root from there on whose subtree has
    // something for the frame's passes (PassBits::kFrame); roots.size() when none has.
    std::vector<std::int32_t> nextBusy;
    // The collision candidates, in plan order: what a gathering walk would find.
    std::vector<Entity*> candidates;
    // Each entered entity's placement and stack depth, and what they were worked out from:
    // while neither its local matrix nor its parent's placement changes, it stays right. One
    // cache line, for the frame's passes enter every busy root.
    struct alignas(64) Placement {
        Matrix3x3::Elements world = {};
        // A stack as deep as this bit field holds would need more entities than memory.
        std::uint32_t depth : 30 = 0;
        // With the camera's inverse of a canvas in the draw pass: never reused.
        std::uint32_t canvas : 1 = 0;
        // Times the local matrix, which was not the identity.
        std::uint32_t multiplied : 1 = 0;
        std::uint64_t local = 0;
        std::uint64_t parent = 0;
        // 0: not worked out yet.
        std::uint64_t version = 0;
    };
    static_assert(sizeof(Placement) == 64);
    std::vector<Placement> placements;
    // By entry, the local matrix's turn and scale (Transform::GetTurnVersion) its placement
    // was worked out with: read only when it is worked out again.
    std::vector<std::uint64_t> turns;
    // The stack's matrix and depth under the roots, and their version.
    Matrix3x3 base;
    std::uint32_t baseDepth = 0;
    std::uint64_t baseVersion = 0;
    std::uint64_t NextVersion() { return ++versions_; }
    // Which layout this is, never the same twice in a run, nor 0: the candidates of two
    // layouts with one stamp are the same.
    std::uint64_t GetStamp() const { return stamp_; }

private:
    static constexpr std::uint64_t kNever = ~std::uint64_t{0};
    void Layout(EntityList& roots, CandidateTest candidate);
    void Build();
    void Append(Entity& entity, std::int32_t parent);

    EntityList* list_ = nullptr;
    CandidateTest candidate_ = nullptr;
    std::uint64_t builtAt_ = kNever;
    std::uint64_t versions_ = 0;
    std::uint64_t stamp_ = 0;
};

// The plan the scene's frame uses.
PassPlan& FramePlan();

}  // namespace VelaEngine
