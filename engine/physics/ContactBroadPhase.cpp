#include "engine/physics/ContactBroadPhase.h"

#include <algorithm>
#include <cmath>

#include "engine/entity/Transform.h"
#include "engine/physics/CircleCollider.h"
#include "engine/physics/RectCollider.h"

namespace VelaEngine::Collision {

ContactBroadPhase::~ContactBroadPhase() {
    Unwatch();
}

void ContactBroadPhase::SetAllPairs(bool value) {
    allPairs_ = value;
}

KeptListMark ContactBroadPhase::MarkKeptList(const Collider& ownCollider) const {
    const std::uint32_t tag = OwnOnlyTag(ownCollider);
    if (tag == kNone || lastKept_ == 0) {
        return {};
    }
    const std::uint32_t entry = watched_[tag].firstEntry;
    const NearCache& cache = caches_[entry];
    if (cache.serial != lastKept_ || cache.madeAt != fixedChanges_) {
        return {};
    }
    return {cache.serial, stillChanges_, moves_, layouts_, tag, entry};
}

bool ContactBroadPhase::OnlyOwnPending(const Collider& ownCollider) const {
    const std::uint32_t own = OwnOnlyTag(ownCollider);
    return own != kNone && pending_.size() == 1 && pending_.front() == own;
}

void ContactBroadPhase::SyncList(const Events::CollisionEvent& event) {
    // The scene makes a new event every frame, mostly with the same entities as before, and
    // mostly stamped so.
    if (!stale_ && ((event.listStamp != 0 && event.listStamp == listedStamp_) || SameList(event))) {
        serial_ = event.GetSerial();
        listData_ = event.candidates.data();
        listedStamp_ = event.listStamp;
        return;
    }
    Rebuild(event);
}

bool ContactBroadPhase::SameList(const Events::CollisionEvent& event) const {
    // Compared as one packed block: the entries are far larger than the pointers.
    return event.candidates.size() == listed_.size() &&
           std::equal(listed_.begin(), listed_.end(), event.candidates.begin());
}

inline bool ContactBroadPhase::MightTouch(const Entry& entry, bool ownIsCircle, float ownReach,
                                          const ShapeBounds& own) const {
    if (!entry.bounds.bounded) {
        return true;
    }
    if (ownIsCircle) {
        return Overlaps(entry.bounds, ownReach * entry.bounds.reach, own);
    }
    // A moving rectangle only ever reacts to rectangles.
    return entry.collider->GetShape() == Collider::Shape::Rect && Overlaps(entry.bounds, 0.0f, own);
}

ContactBroadPhase::OwnQuery ContactBroadPhase::QueryOf(const Collider& ownCollider,
                                                       const Matrix3x3& world) {
    OwnQuery query;
    query.circle = ownCollider.GetShape() == Collider::Shape::Circle;
    if (query.circle) {
        // Against rectangles the circle sits where the stack says, against circles where its
        // transform says; the two may differ by rounding.
        const Point2 stackCentre(world.m[0][2], world.m[1][2]);
        const Point2 transformCentre = ownCollider.GetTransform()->GetWorldPosition();
        query.bounds = CircleBounds(stackCentre, 0.0f);
        if (transformCentre.x != stackCentre.x || transformCentre.y != stackCentre.y) {
            query.bounds = Union(query.bounds, CircleBounds(transformCentre, 0.0f));
        }
        query.reach = std::fabs(static_cast<const CircleCollider&>(ownCollider).GetRadius());
        query.bounds.bounded = query.bounds.bounded && std::isfinite(query.reach);
    } else {
        const auto& rect = static_cast<const RectCollider&>(ownCollider);
        query.bounds = RectBounds(world, rect.GetWidth(), rect.GetHeight());
    }
    return query;
}

void ContactBroadPhase::SetQueried(const OwnQuery& region) {
    queried_ = region;
    // Worked out when a contact first asks: most lists see none.
    queriedInnerKnown_ = false;
}

bool ContactBroadPhase::Covers(const OwnQuery& region, const OwnQuery& query) {
    const ShapeBounds& outer = region.bounds;
    const ShapeBounds& inner = query.bounds;
    return inner.bounded && query.circle == region.circle && query.reach <= region.reach &&
           outer.minX <= inner.minX && outer.minY <= inner.minY && inner.maxX <= outer.maxX &&
           inner.maxY <= outer.maxY;
}

namespace {
void Grow(ShapeBounds& bounds, float by) {
    bounds.minX -= by;
    bounds.minY -= by;
    bounds.maxX += by;
    bounds.maxY += by;
    bounds.bounded = std::isfinite(bounds.minX) && std::isfinite(bounds.minY) &&
                     std::isfinite(bounds.maxX) && std::isfinite(bounds.maxY);
}
}  // namespace

std::span<const std::uint32_t> ContactBroadPhase::Near(const Collider& ownCollider,
                                                       const Matrix3x3& world, std::size_t first) {
    const std::uint32_t ownTag = OwnOnlyTag(ownCollider);
    TakeChangesBut(ownTag);
    ++queries_;
    OwnQuery own = QueryOf(ownCollider, world);
    queriedCentre_ = Point2(world.m[0][2], world.m[1][2]);
    if (own.circle && own.bounds.bounded) {
        // A bounce moves the circle by about its velocity's change in a frame; a quarter of
        // a radius of room keeps most of them inside the list.
        Grow(own.bounds, own.reach * 0.25f);
    }
    queriedAll_ = !own.bounds.bounded;
    lastKept_ = 0;
    if (queriedAll_) {
        SetQueried(own);
        near_.clear();
        for (std::size_t id = first; id < entries_.size(); ++id) {
            near_.push_back(static_cast<std::uint32_t>(id));
        }
        return near_;
    }
    NearCache* cache = ownTag == kNone ? nullptr : &caches_[watched_[ownTag].firstEntry];
    if (cache != nullptr && cache->madeAt == fixedChanges_ && Covers(cache->region, own) &&
        dynamic_.LastChangeIn(cache->cells, cache->buckets) <= cache->dynamicAt) {
        // Nothing that could reach the region the list was made for came, went or moved.
        SetQueried(cache->region);
        lastKept_ = cache->serial;
        return From(std::span<const std::uint32_t>(cache->ids.data(), cache->count), first);
    }
    if (cache == nullptr) {
        SetQueried(own);
        return Collect(own, first, false);
    }
    // Made for a wider region, so that it serves the next frames too while the body stays
    // about where it is.
    cache->madeAt = 0;
    OwnQuery wide = own;
    if (own.circle) {
        Grow(wide.bounds, own.reach * kCacheRoom);
    }
    const std::span<const std::uint32_t> all = Collect(wide, 0, true);
    SetQueried(wide);
    if (all.size() <= cache->ids.size() && wide.bounds.bounded &&
        CellRangeOf(wide.bounds, wide.reach * maxReach_, inverseCell_, cache->cells)) {
        dynamic_.BucketsOf(cache->cells, cache->buckets);
        cache->region = wide;
        cache->count = static_cast<std::uint8_t>(all.size());
        std::copy(all.begin(), all.end(), cache->ids.begin());
        cache->madeAt = fixedChanges_;
        cache->dynamicAt = dynamic_.LastChange();
        cache->serial = ++keptLists_;
        lastKept_ = cache->serial;
    }
    return From(all, first);
}

std::span<const std::uint32_t> ContactBroadPhase::From(std::span<const std::uint32_t> list,
                                                       std::size_t first) {
    const auto* at = std::lower_bound(list.data(), list.data() + list.size(), first);
    return list.subspan(static_cast<std::size_t>(at - list.data()));
}

std::span<const std::uint32_t> ContactBroadPhase::Collect(const OwnQuery& own, std::size_t first,
                                                          bool allMoving) {
    near_.clear();
    const std::size_t n = entries_.size();
    if (!own.bounds.bounded) {
        for (std::size_t id = first; id < n; ++id) {
            near_.push_back(static_cast<std::uint32_t>(id));
        }
        return near_;
    }
    NextStamp();
    const ShapeBounds& ownBounds = own.bounds;
    const float ownReach = own.reach;
    const bool circle = own.circle;
    auto consider = [&](std::uint32_t id) {
        if (id < first || seen_[id] == stamp_) {
            return;
        }
        seen_[id] = stamp_;
        if (MightTouch(entries_[id], circle, ownReach, ownBounds)) {
            near_.push_back(id);
        }
    };
    CellRange range;
    if (CellRangeOf(ownBounds, ownReach * maxReach_, inverseCell_, range)) {
        static_.ForEach(range, consider);
        if (allMoving) {
            // A list to be kept holds every moving candidate of its cells: one may move
            // inside them, unseen, until it touches.
            dynamic_.ForEach(range, [&](std::uint32_t id) {
                if (id >= first && seen_[id] != stamp_) {
                    seen_[id] = stamp_;
                    near_.push_back(id);
                }
            });
        } else {
            dynamic_.ForEach(range, consider);
        }
    } else {
        for (auto id = static_cast<std::uint32_t>(first); id < n; ++id) {
            if (entries_[id].place != Place::Outside) {
                consider(id);
            }
        }
    }
    for (auto at = std::lower_bound(outside_.begin(), outside_.end(), first); at != outside_.end();
         ++at) {
        consider(*at);
    }
    SortNear(first);
    return near_;
}

void ContactBroadPhase::NextStamp() {
    if (++stamp_ == 0) {
        std::fill(seen_.begin(), seen_.end(), 0);
        stamp_ = 1;
    }
}

void ContactBroadPhase::SortNear(std::size_t first) {
    const std::size_t span = entries_.size() - first;
    // A list holding much of the span (a pile in one cell) is put in order by a scan of
    // the span's marks, for less than a sort costs.
    if (near_.size() < 64 || span > near_.size() * 8) {
        std::sort(near_.begin(), near_.end());
        return;
    }
    NextStamp();
    for (std::uint32_t id : near_) {
        seen_[id] = stamp_;
    }
    near_.clear();
    for (std::size_t id = first; id < entries_.size(); ++id) {
        if (seen_[id] == stamp_) {
            near_.push_back(static_cast<std::uint32_t>(id));
        }
    }
}

bool ContactBroadPhase::StillNear(const Collider& ownCollider, const Matrix3x3& world,
                                  std::size_t next) {
    if (queriedAll_) {
        // The list holds every candidate from its first on.
        return true;
    }
    if (pending_.empty() && !stale_ && ownCollider.GetTransform()->GetWatcher() == this) {
        // Nothing watched changed, the body's own transform and its ancestors included: the
        // list and the region it was made for still hold.
        return true;
    }
    const std::uint32_t own = OwnOnlyTag(ownCollider);
    // Mostly the contact moved just the body itself: nothing in the list changed, and its
    // own entries wait for the next body's query.
    const bool onlyOwn = own != kNone && pending_.size() == 1 && pending_.front() == own;
    if (!onlyOwn) {
        asking_ = ownCollider.GetOwner();
        askingNext_ = next;
        laterChanged_ = false;
        TakeChangesBut(own);
        asking_ = nullptr;
        if (laterChanged_) {
            return false;
        }
    }
    if (queried_.circle && ownCollider.GetShape() == Collider::Shape::Circle &&
        world.m[0][2] == queriedCentre_.x && world.m[1][2] == queriedCentre_.y) {
        return CircleStillCovered(static_cast<const CircleCollider&>(ownCollider));
    }
    return Covers(queried_, QueryOf(ownCollider, world));
}

bool ContactBroadPhase::CircleStillCovered(const CircleCollider& ownCircle) {
    // The stack's centre is where the list was made for, so its box is inside the region;
    // only the radius and the transform's centre, which a contact moves, are left to check.
    const float reach = std::fabs(ownCircle.GetRadius());
    if (!(reach <= queried_.reach) || !std::isfinite(reach)) {
        return false;
    }
    const Point2 centre = ownCircle.GetTransform()->GetWorldPosition();
    if (!queriedInnerKnown_) {
        queriedInner_ = CentresInside(queried_.bounds);
        queriedInnerKnown_ = true;
    }
    if ((centre.x == queriedCentre_.x && centre.y == queriedCentre_.y) ||
        (queriedInner_.bounded && queriedInner_.minX <= centre.x &&
         centre.x <= queriedInner_.maxX && queriedInner_.minY <= centre.y &&
         centre.y <= queriedInner_.maxY)) {
        return true;
    }
    const ShapeBounds box = CircleBounds(centre, 0.0f);
    const ShapeBounds& region = queried_.bounds;
    return box.bounded && region.minX <= box.minX && region.minY <= box.minY &&
           box.maxX <= region.maxX && box.maxY <= region.maxY;
}

}  // namespace VelaEngine::Collision
