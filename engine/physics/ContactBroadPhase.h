#pragma once
// Finds, for one dynamic body's collision handler, the candidates of the frame that its
// collider could touch, so that the exact tests run only on those. Skipping a pair never
// changes a result: boxes are conservative, and every candidate whose transform, an ancestor's
// transform or shape changed since its box was made is boxed again before the next query.
// Candidates that have not moved since the list was laid out sit in a packed static grid,
// moving ones in a dynamic grid, huge or unbounded ones outside both; each in one place.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/entity/CollisionEvents.h"
#include "engine/entity/Matrix3x3.h"
#include "engine/entity/TransformWatcher.h"
#include "engine/physics/DynamicGrid.h"
#include "engine/physics/KeptListMark.h"
#include "engine/physics/RectFaces.h"
#include "engine/physics/ShapeBounds.h"
#include "engine/physics/StaticGrid.h"

namespace VelaEngine {

class DynamicBody2D;
class Entity;
class Transform;

namespace Collision {

class CircleCollider;
class Collider;

class ContactBroadPhase final : public TransformWatcher {
public:
    // The broad phase of this event, brought up to date; null while every pair is to be
    // tested (see SetAllPairs) and inside a contact hook that runs another body's handler.
    // Only one use is open at a time.
    // Inline, as is the check that the broad phase is in step: every body opens one a frame.
    class Use {
    public:
        explicit Use(const Events::CollisionEvent& event) {
            if (openUses_++ == 0 && !allPairs_) {
                phase_ = &Shared();
                phase_->Sync(event);
            }
        }
        ~Use() { --openUses_; }
        Use(const Use&) = delete;
        Use& operator=(const Use&) = delete;
        ContactBroadPhase* Get() const { return phase_; }
        // Whether a Use made now would get the shared broad phase.
        static bool WouldGet() { return openUses_ == 0 && !allPairs_; }

    private:
        ContactBroadPhase* phase_ = nullptr;
    };

    // Every body tests every candidate, as without a broad phase: for comparing the two.
    static void SetAllPairs(bool allPairs);

    // Ascending indices, from `first` on, of the candidates that a body's collider (placed by
    // `world`, the matrix stack's top) might touch; the rest certainly do not.
    // The span stays valid until the next call. For a circle it also holds what lies a
    // radius further, so that a bounce seldom calls for a new list.
    std::span<const std::uint32_t> Near(const Collider& ownCollider, const Matrix3x3& world,
                                        std::size_t first);
    // After a contact, before testing the candidates from `next` on: whether the last list
    // from Near still holds every one of them the collider might now touch. Not when a
    // contact moved or reshaped one of them, or moved the body out of the region the list
    // was made for; then Near must be asked again.
    bool StillNear(const Collider& ownCollider, const Matrix3x3& world, std::size_t next);
    // The collider a candidate had when the list was laid out: still its first, since
    // components are never taken off. Null when it had none then.
    const Collider* ColliderOf(std::size_t index) const { return entries_[index].collider; }
    // A candidate's rectangle placed as faces, worked out once after each change of its
    // placement or size, so a contact test need not read the rectangle itself: only for a
    // root entity whose first collider is a rectangle of its own, else null.
    const RectFaces* FacesOf(std::size_t index);
    // A candidate's first dynamic body, looked up again after any entity gained a component.
    DynamicBody2D* BodyOf(std::size_t index);

    void Moved(Transform& transform) override;
    void Gone(Transform& transform) override;

    // Where each candidate is kept, for tests of the layout.
    enum class Place : std::uint8_t { Static, Dynamic, Outside };
    Place PlaceOf(std::size_t index) const { return entries_[index].place; }
    std::size_t CandidateCount() const { return entries_.size(); }
    // Layouts made since the start: one per change of the candidate list.
    std::uint64_t LayoutCount() const { return layouts_; }
    // Lists made by Near since the start.
    std::uint64_t QueryCount() const { return queries_; }
    // The broad phase the collision handlers use.
    static ContactBroadPhase& Shared() {
        // Never destroyed: transforms owned by services may die after every static, and
        // tell it.
        if (shared_ == nullptr) {
            shared_ = new ContactBroadPhase();
        }
        return *shared_;
    }

    // For a body deciding, in its step, whether to repeat its last frame: the broad phase
    // its collision handler will use, already brought up to date with the newest event;
    // null when there will be none or it may still be laid out again. Inline, in
    // ContactBroadPhaseRest.h, with KeptListStands.
    static ContactBroadPhase* Current();
    // The kept list the last Near answered the body of `ownCollider` from, as it stands now;
    // none when it answered from no kept list.
    KeptListMark MarkKeptList(const Collider& ownCollider) const;
    // Whether that list still stands as it was marked: the same list, no candidate that is
    // not moving changed, and no moving one in its cells but the body's own moved or
    // reshaped since. Then the body's contacts with it would be found again. Takes the
    // pending changes first, as Near would. `transform`: the one the body's collider shares.
    bool KeptListStands(const Transform& transform, const KeptListMark& mark);
    // No candidate died and no watched transform changed since the last query, but the
    // asking body's own. Inline: asked after every contact a resting body repeats, when
    // nothing is pending.
    bool QuietBut(const Collider& ownCollider) const {
        return !stale_ && (pending_.empty() || OnlyOwnPending(ownCollider));
    }

    ContactBroadPhase() = default;
    ~ContactBroadPhase();
    ContactBroadPhase(const ContactBroadPhase&) = delete;
    ContactBroadPhase& operator=(const ContactBroadPhase&) = delete;

private:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    struct Entry {
        Entity* entity = nullptr;
        // The first collider when the list was made; none: always tested.
        const Collider* collider = nullptr;
        ShapeBounds bounds;
        CellRange cells;
        // Its parent when the list was laid out: only those ancestors are watched.
        Transform* parent = nullptr;
        Place place = Place::Outside;
        // Its entity died or changed parents: always tested, never boxed again.
        bool frozen = false;
        // Its contact card's faces are worked out for its current placement and size.
        bool facesKnown = false;
        // The next entry of the same entity, for lists that name one twice.
        std::uint32_t nextSame = kNone;
    };

    // What a contact with a candidate reads of it, kept apart from the entries, which the
    // queries scan.
    struct ContactCard {
        RectFaces faces;
        DynamicBody2D* body = nullptr;
        // EntityTree::ShapeStamp() when the body was looked up; 0: not yet.
        std::uint64_t bodyAt = 0;
        // For a circle of its own: its centre and radius when movedAt_ last changed.
        float x = 0.0f;
        float y = 0.0f;
        float radius = 0.0f;
        bool rootRect = false;
    };

    // A transform this broad phase watches: a candidate's own, or an ancestor's.
    struct Watched {
        Transform* transform = nullptr;
        // The transform's entity's entries, chained by nextSame.
        std::uint32_t firstEntry = kNone;
        // The entries of candidates below it: below_[belowBegin] up to below_[belowEnd].
        std::uint32_t belowBegin = 0;
        std::uint32_t belowEnd = 0;
        bool pending = false;
    };

    void Sync(const Events::CollisionEvent& event) {
        // Anything that changes an event's list in place changes its storage or its size.
        if (stale_ || event.GetSerial() != serial_ || event.candidates.data() != listData_ ||
            event.candidates.size() != listSize_) {
            SyncList(event);
        }
    }
    void SyncList(const Events::CollisionEvent& event);
    bool SameList(const Events::CollisionEvent& event) const;
    void Rebuild(const Events::CollisionEvent& event);
    void Unwatch();
    std::uint32_t WatchOf(Transform& transform);
    // Fills below_ from (watched transform, entry below it) pairs in entry order.
    void ListBelow(const std::vector<std::pair<std::uint32_t, std::uint32_t>>& ancestry);
    void LayOut(const std::vector<bool>& moving);
    void Refresh(std::uint32_t id);
    // Takes an entry out of its place; Enter puts it among the moving or outside by its box.
    void Leave(std::uint32_t id);
    void Enter(std::uint32_t id);
    void Freeze(std::uint32_t id);
    // maxReach_ := max(maxReach_, reach).
    void Lengthen(float reach);
    // Boxes again every candidate at or below a changed transform.
    void TakeChanges();
    // The tag of the asking body's transform when only its own entries hang on it: their
    // boxes mean nothing to its own queries, so they may wait for the next body's. kNone
    // otherwise.
    std::uint32_t OwnOnlyTag(const Collider& ownCollider) const;
    // Whether the one pending change is the asking body's own.
    bool OnlyOwnPending(const Collider& ownCollider) const;
    // TakeChanges, leaving the change of `kept` (a tag, or kNone) pending. Inline for the
    // common case, when nothing is pending: every resting body asks once a frame.
    void TakeChangesBut(std::uint32_t kept) {
        if (!pending_.empty()) {
            TakePendingBut(kept);
        }
    }
    void TakePendingBut(std::uint32_t kept);
    void RefreshEntry(std::uint32_t id);
    // A moving entry was boxed again: counts a move unless it is a circle that stayed put.
    void NoteMove(std::uint32_t id);
    bool MightTouch(const Entry& entry, bool ownIsCircle, float ownReach,
                    const ShapeBounds& own) const;

    // Where a collider is looked for: its box (circles: the centre, to be grown by reaches)
    // and, for a circle, its radius.
    struct OwnQuery {
        ShapeBounds bounds;
        float reach = 0.0f;
        bool circle = false;
    };
    static OwnQuery QueryOf(const Collider& ownCollider, const Matrix3x3& world);
    // Sets queried_; queriedInner_ is worked out again when next needed.
    void SetQueried(const OwnQuery& region);
    // Covers for the asking circle while the stack shows queriedCentre_.
    bool CircleStillCovered(const CircleCollider& ownCircle);
    // Whether a list made for `region` still holds everything `query` might touch.
    static bool Covers(const OwnQuery& region, const OwnQuery& query);
    // The candidates from `first` on that might touch the query; with `allMoving`, every
    // moving candidate of its cells, as a list to be kept must hold.
    std::span<const std::uint32_t> Collect(const OwnQuery& own, std::size_t first, bool allMoving);
    // A fresh mark for seen_.
    void NextStamp();
    // Puts near_, which holds ids from `first` on, each once, in ascending order.
    void SortNear(std::size_t first);
    // The part of an ascending list from `first` on.
    static std::span<const std::uint32_t> From(std::span<const std::uint32_t> list,
                                               std::size_t first);

    // A body's last list while it is short, made for a region wider than its query: it holds
    // while the body's query stays inside the region, no moving candidate joined or left the
    // region's cells, and nothing else changed (fixedChanges_).
    static constexpr std::size_t kCachedIds = 6;
    // How much further than its query a circle's kept list reaches, in radii.
    static constexpr float kCacheRoom = 0.5f;
    struct NearCache {
        OwnQuery region;
        CellRange cells;
        CellBuckets buckets;
        std::uint64_t dynamicAt = 0;
        // fixedChanges_ when it was made; 0: none kept.
        std::uint64_t madeAt = 0;
        // Names this list apart from every other kept list.
        std::uint64_t serial = 0;
        std::uint8_t count = 0;
        std::array<std::uint32_t, kCachedIds> ids{};
    };
    // Bumped by whatever a kept list can miss outside the dynamic grid's cells: a layout, a
    // still or outside candidate changing, a longer reach.
    void NoteFixedChange() {
        ++fixedChanges_;
        ++stillChanges_;
    }

    static inline ContactBroadPhase* shared_ = nullptr;
    static inline bool allPairs_ = false;
    static inline int openUses_ = 0;

    std::uint64_t serial_ = 0;
    const Entity* const* listData_ = nullptr;
    std::size_t listSize_ = 0;
    // A candidate died since the layout: its address may name a new entity.
    bool stale_ = true;
    std::uint64_t layouts_ = 0;
    std::uint64_t queries_ = 0;
    std::vector<Entry> entries_;
    std::vector<ContactCard> cards_;
    // By entry: moves_ when what a contact reads of a moving candidate last changed (0:
    // never). Apart from the cards, so that a resting body's check reads a packed array.
    std::vector<std::uint64_t> movedAt_;
    // The candidate list the entries were laid out for.
    std::vector<const Entity*> listed_;
    // The listStamp of the events listed_ came from or was found the same as; 0: none.
    std::uint64_t listedStamp_ = 0;
    std::vector<Watched> watched_;
    std::vector<std::uint32_t> below_;
    std::vector<std::uint32_t> pending_;
    std::vector<std::uint32_t> taking_;
    double inverseCell_ = 1.0;
    StaticGrid static_;
    DynamicGrid dynamic_;
    // Entries kept outside the grids, ascending.
    std::vector<std::uint32_t> outside_;
    float maxReach_ = 1.0f;
    std::vector<std::uint32_t> seen_;
    std::uint32_t stamp_ = 0;
    std::vector<std::uint32_t> near_;
    // By the entry of the asking body.
    std::vector<NearCache> caches_;
    std::uint64_t fixedChanges_ = 1;
    std::uint64_t stillChanges_ = 1;
    std::uint64_t moves_ = 1;
    std::uint64_t keptLists_ = 0;
    // The kept list the last Near answered from; 0: none.
    std::uint64_t lastKept_ = 0;
    // What the last list was made for: all candidates from its first on, or those near this.
    bool queriedAll_ = false;
    OwnQuery queried_;
    // The stack's centre the last list was asked for: a circle's query is in the region while
    // the stack still shows it (StillNear).
    Point2 queriedCentre_;
    // Centres whose box is certainly inside queried_'s (CentresInside), once known.
    ShapeBounds queriedInner_;
    bool queriedInnerKnown_ = false;
    // While StillNear takes the changes: the body asking, its next candidate, and whether a
    // later candidate of another entity was boxed again.
    const Entity* asking_ = nullptr;
    std::size_t askingNext_ = 0;
    bool laterChanged_ = false;
};

}  // namespace Collision

}  // namespace VelaEngine
