#include "engine/physics/ContactBroadPhase.h"

#include <algorithm>
#include <cmath>

#include "engine/entity/Entity.h"
#include "engine/entity/Transform.h"
#include "engine/entity/TransformChangeLog.h"
#include "engine/physics/CircleCollider.h"
#include "engine/physics/PhysicsComponents.h"
#include "engine/physics/RectCollider.h"

namespace VelaEngine::Collision {

namespace {
bool allPairs = false;
int openUses = 0;

ContactBroadPhase& Instance() {
    static ContactBroadPhase phase;
    return phase;
}

ShapeBounds BoundsOf(const Entity* entity, const Collider* collider) {
    // A collider added to an entity it was not made for is placed by another transform,
    // whose changes this entity's entry would miss.
    if (collider == nullptr || collider->GetOwner() != entity) {
        return {};
    }
    Transform& transform = *collider->GetTransform();
    if (collider->GetShape() == Collider::Shape::Circle) {
        const auto& circle = static_cast<const CircleCollider&>(*collider);
        return CircleBounds(transform.GetWorldPosition(), circle.GetRadius());
    }
    const auto& rect = static_cast<const RectCollider&>(*collider);
    return RectBounds(transform.GetWorldMatrix(), rect.GetWidth(), rect.GetHeight());
}

// About the size of a typical shape, so that most cover one to four cells.
float CellSizeFor(const std::vector<ShapeBounds>& boxes) {
    std::vector<float> sizes;
    sizes.reserve(boxes.size());
    for (const ShapeBounds& box : boxes) {
        const float size = std::max(box.maxX - box.minX, box.maxY - box.minY);
        if (box.bounded && std::isfinite(size) && size > 0.0f) {
            sizes.push_back(size);
        }
    }
    if (sizes.empty()) {
        return 1.0f;
    }
    auto middle = sizes.begin() + static_cast<std::ptrdiff_t>(sizes.size() / 2);
    std::nth_element(sizes.begin(), middle, sizes.end());
    return *middle;
}

std::size_t SlotOf(const Entity* entity, std::size_t mask) {
    const auto bits = reinterpret_cast<std::uintptr_t>(entity);
    return static_cast<std::size_t>((bits >> 4) * 0x9E3779B97F4A7C15ull >> 32) & mask;
}
}  // namespace

ContactBroadPhase::Use::Use(const Events::CollisionEvent& event) {
    if (openUses++ == 0 && !allPairs) {
        phase_ = &Instance();
        phase_->Sync(event);
    }
}

ContactBroadPhase::Use::~Use() {
    --openUses;
}

void ContactBroadPhase::SetAllPairs(bool value) {
    allPairs = value;
}

void ContactBroadPhase::Sync(const Events::CollisionEvent& event) {
    // Anything that changes an event's list in place changes its storage or its size.
    if (event.GetSerial() == serial_ && event.candidates.data() == listData_ &&
        event.candidates.size() == listSize_) {
        return;
    }
    // The scene makes a new event every frame, mostly with the same entities as before.
    if (SameList(event)) {
        serial_ = event.GetSerial();
        listData_ = event.candidates.data();
        return;
    }
    Rebuild(event);
}

bool ContactBroadPhase::SameList(const Events::CollisionEvent& event) const {
    if (TransformChangeLog::made != transformsMade_ || event.candidates.size() != entries_.size()) {
        return false;
    }
    for (std::size_t id = 0; id < entries_.size(); ++id) {
        if (entries_[id].entity != event.candidates[id]) {
            return false;
        }
    }
    return true;
}

void ContactBroadPhase::Rebuild(const Events::CollisionEvent& event) {
    // Every box is made afresh below; earlier changes no longer matter.
    TransformChangeLog::Start();
    TransformChangeLog::Take(changed_);
    serial_ = event.GetSerial();
    transformsMade_ = TransformChangeLog::made;
    listData_ = event.candidates.data();
    listSize_ = event.candidates.size();

    const std::size_t n = listSize_;
    entries_.assign(n, Entry{});
    std::size_t slotCount = 16;
    while (slotCount < n * 2) {
        slotCount *= 2;
    }
    slots_.assign(slotCount, {nullptr, kNone});
    std::vector<ShapeBounds> boxes(n);
    for (std::uint32_t id = 0; id < n; ++id) {
        Entry& entry = entries_[id];
        entry.entity = event.candidates[id];
        if (entry.entity != nullptr) {
            entry.collider = FirstCollider(*entry.entity);
            AddEntryOf(entry.entity, id);
        }
        entry.bounds = BoundsOf(entry.entity, entry.collider);
        boxes[id] = entry.bounds;
    }
    grid_.Reset(CellSizeFor(boxes), n);
    outside_.clear();
    maxReach_ = 1.0f;
    for (std::uint32_t id = 0; id < n; ++id) {
        Place(id);
    }
    grid_.Pack();
    seen_.assign(n, 0);
    stamp_ = 0;
}

void ContactBroadPhase::Place(std::uint32_t id) {
    Entry& entry = entries_[id];
    entry.gridded = entry.bounds.bounded && grid_.RangeOf(entry.bounds, 0.0f, entry.cells);
    if (entry.gridded) {
        grid_.Insert(id, entry.cells);
        maxReach_ = std::max(maxReach_, entry.bounds.reach);
    } else {
        outside_.push_back(id);
    }
}

void ContactBroadPhase::Refresh(std::uint32_t id) {
    Entry& entry = entries_[id];
    entry.bounds = BoundsOf(entry.entity, entry.collider);
    if (!entry.gridded) {
        // Checked against its current box on every query anyway.
        return;
    }
    CellGrid::CellRange range;
    if (!entry.bounds.bounded || !grid_.RangeOf(entry.bounds, 0.0f, range)) {
        entry.gridded = false;
        outside_.insert(std::lower_bound(outside_.begin(), outside_.end(), id), id);
        return;
    }
    maxReach_ = std::max(maxReach_, entry.bounds.reach);
    if (!(range == entry.cells)) {
        // The old cells still list it; queries check its current box.
        entry.cells = range;
        grid_.Insert(id, range);
    }
}

void ContactBroadPhase::Regrid() {
    grid_.Reset(grid_.CellSize(), entries_.size());
    for (std::uint32_t id = 0; id < entries_.size(); ++id) {
        if (entries_[id].gridded) {
            grid_.Insert(id, entries_[id].cells);
        }
    }
    grid_.Pack();
}

void ContactBroadPhase::TakeChanges() {
    TransformChangeLog::Take(changed_);
    for (Transform* transform : changed_) {
        RefreshSubtree(*transform->GetOwner());
    }
    // Stale cell listings pile up while the same list is used frame after frame, and
    // chained ones are slower to read than packed ones.
    if (grid_.LooseCount() > entries_.size() + 256) {
        Regrid();
    }
}

void ContactBroadPhase::RefreshSubtree(Entity& entity) {
    for (std::uint32_t id = FirstEntryOf(&entity); id != kNone; id = entries_[id].nextSame) {
        Refresh(id);
        if (asking_ != nullptr && id >= askingNext_ && &entity != asking_) {
            laterChanged_ = true;
        }
    }
    for (const auto& child : entity.GetChildren()) {
        RefreshSubtree(*child);
    }
}

std::uint32_t ContactBroadPhase::FirstEntryOf(const Entity* entity) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = SlotOf(entity, mask);; slot = (slot + 1) & mask) {
        if (slots_[slot].first == entity) {
            return slots_[slot].second;
        }
        if (slots_[slot].first == nullptr) {
            return kNone;
        }
    }
}

void ContactBroadPhase::AddEntryOf(const Entity* entity, std::uint32_t id) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = SlotOf(entity, mask);
    while (slots_[slot].first != nullptr && slots_[slot].first != entity) {
        slot = (slot + 1) & mask;
    }
    if (slots_[slot].first == nullptr) {
        slots_[slot] = {entity, id};
        return;
    }
    // Named again: chain it behind the earlier entries.
    std::uint32_t last = slots_[slot].second;
    while (entries_[last].nextSame != kNone) {
        last = entries_[last].nextSame;
    }
    entries_[last].nextSame = id;
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

const std::vector<std::uint32_t>& ContactBroadPhase::Near(const Collider& ownCollider,
                                                          const Matrix3x3& world,
                                                          std::size_t first) {
    TakeChanges();
    near_.clear();
    const std::size_t n = entries_.size();
    OwnQuery own = QueryOf(ownCollider, world);
    if (own.circle && own.bounds.bounded) {
        // A bounce moves the circle by about its velocity's change in a frame; a quarter of
        // a radius of room keeps most of them inside the list.
        const float room = own.reach * 0.25f;
        own.bounds.minX -= room;
        own.bounds.minY -= room;
        own.bounds.maxX += room;
        own.bounds.maxY += room;
        own.bounds.bounded = std::isfinite(own.bounds.minX) && std::isfinite(own.bounds.minY) &&
                             std::isfinite(own.bounds.maxX) && std::isfinite(own.bounds.maxY);
    }
    queried_ = own;
    queriedAll_ = !own.bounds.bounded;
    if (queriedAll_) {
        for (std::size_t id = first; id < n; ++id) {
            near_.push_back(static_cast<std::uint32_t>(id));
        }
        return near_;
    }
    if (++stamp_ == 0) {
        std::fill(seen_.begin(), seen_.end(), 0);
        stamp_ = 1;
    }
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
    CellGrid::CellRange range;
    if (grid_.RangeOf(ownBounds, ownReach * maxReach_, range)) {
        grid_.ForEach(range, consider);
    } else {
        for (std::uint32_t id = static_cast<std::uint32_t>(first); id < n; ++id) {
            if (entries_[id].gridded) {
                consider(id);
            }
        }
    }
    for (std::uint32_t id : outside_) {
        consider(id);
    }
    std::sort(near_.begin(), near_.end());
    return near_;
}

bool ContactBroadPhase::StillNear(const Collider& ownCollider, const Matrix3x3& world,
                                  std::size_t next) {
    if (queriedAll_) {
        // The list holds every candidate from its first on.
        return true;
    }
    asking_ = ownCollider.GetOwner();
    askingNext_ = next;
    laterChanged_ = false;
    TakeChanges();
    asking_ = nullptr;
    if (laterChanged_) {
        return false;
    }
    const OwnQuery now = QueryOf(ownCollider, world);
    const ShapeBounds& was = queried_.bounds;
    return now.bounds.bounded && now.circle == queried_.circle && now.reach <= queried_.reach &&
           was.minX <= now.bounds.minX && was.minY <= now.bounds.minY &&
           now.bounds.maxX <= was.maxX && now.bounds.maxY <= was.maxY;
}

}  // namespace VelaEngine::Collision
