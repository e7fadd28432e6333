#pragma once
// Finds, for one dynamic body's collision handler, the candidates of the frame that its
// collider could touch, so that the exact tests run only on those. Skipping a pair never
// changes a result: boxes are conservative, and every entity moved or reshaped since the
// boxes were made (by a step, a contact, a behaviour, a moving parent) is boxed again
// before the next query.
#include <cstdint>
#include <vector>

#include "engine/entity/CollisionEvents.h"
#include "engine/entity/Matrix3x3.h"
#include "engine/physics/CellGrid.h"
#include "engine/physics/ShapeBounds.h"

namespace VelaEngine {

class Entity;
class Transform;

namespace Collision {

class Collider;

class ContactBroadPhase {
public:
    // The broad phase of this event, brought up to date; null while every pair is to be
    // tested (see SetAllPairs) and inside a contact hook that runs another body's handler.
    // Only one use is open at a time.
    class Use {
    public:
        explicit Use(const Events::CollisionEvent& event);
        ~Use();
        Use(const Use&) = delete;
        Use& operator=(const Use&) = delete;
        ContactBroadPhase* Get() const { return phase_; }

    private:
        ContactBroadPhase* phase_ = nullptr;
    };

    // Every body tests every candidate, as without a broad phase: for comparing the two.
    static void SetAllPairs(bool allPairs);

    // Ascending indices, from `first` on, of the candidates that a body's collider (placed by
    // `world`, the matrix stack's top) might touch; the rest certainly do not.
    // The list stays valid until the next call. For a circle it also holds what lies a
    // radius further, so that a bounce seldom calls for a new list.
    const std::vector<std::uint32_t>& Near(const Collider& ownCollider, const Matrix3x3& world,
                                           std::size_t first);
    // After a contact, before testing the candidates from `next` on: whether the last list
    // from Near still holds every one of them the collider might now touch. Not when a
    // contact moved or reshaped one of them, or moved the body out of the region the list
    // was made for; then Near must be asked again.
    bool StillNear(const Collider& ownCollider, const Matrix3x3& world, std::size_t next);

private:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    struct Entry {
        Entity* entity = nullptr;
        // The first collider when the list was made; none: always tested.
        const Collider* collider = nullptr;
        ShapeBounds bounds;
        CellGrid::CellRange cells;
        bool gridded = false;
        // The next entry of the same entity, for lists that name one twice.
        std::uint32_t nextSame = kNone;
    };

    void Sync(const Events::CollisionEvent& event);
    void Rebuild(const Events::CollisionEvent& event);
    void Regrid();
    void Place(std::uint32_t id);
    void Refresh(std::uint32_t id);
    // Boxes again every candidate at or below a changed transform.
    void TakeChanges();
    void RefreshSubtree(Entity& entity);
    std::uint32_t FirstEntryOf(const Entity* entity) const;
    void AddEntryOf(const Entity* entity, std::uint32_t id);
    bool MightTouch(const Entry& entry, bool ownIsCircle, float ownReach,
                    const ShapeBounds& own) const;

    bool SameList(const Events::CollisionEvent& event) const;

    // Where a collider is looked for: its box (circles: the centre, to be grown by reaches)
    // and, for a circle, its radius.
    struct OwnQuery {
        ShapeBounds bounds;
        float reach = 0.0f;
        bool circle = false;
    };
    static OwnQuery QueryOf(const Collider& ownCollider, const Matrix3x3& world);

    std::uint64_t serial_ = 0;
    std::uint64_t transformsMade_ = 0;
    const Entity* const* listData_ = nullptr;
    std::size_t listSize_ = 0;
    std::vector<Entry> entries_;
    // Entity → its first entry, open addressing.
    std::vector<std::pair<const Entity*, std::uint32_t>> slots_;
    CellGrid grid_;
    // Entries kept outside the grid, ascending.
    std::vector<std::uint32_t> outside_;
    float maxReach_ = 1.0f;
    std::vector<std::uint32_t> seen_;
    std::uint32_t stamp_ = 0;
    std::vector<Transform*> changed_;
    std::vector<std::uint32_t> near_;
    // What the last list was made for: all candidates from its first on, or those near this.
    bool queriedAll_ = false;
    OwnQuery queried_;
    // While StillNear takes the changes: the body asking, its next candidate, and whether a
    // later candidate of another entity was boxed again.
    const Entity* asking_ = nullptr;
    std::size_t askingNext_ = 0;
    bool laterChanged_ = false;
};

}  // namespace Collision

}  // namespace VelaEngine
