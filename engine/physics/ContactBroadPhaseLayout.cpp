// How the broad phase lays out a candidate list and keeps it current: which transforms it
// watches, where each candidate is kept, and what a change of placement or shape moves.
#include <algorithm>
#include <cmath>

#include "engine/entity/Entity.h"
#include "engine/entity/EntityList.h"
#include "engine/entity/Transform.h"
#include "engine/physics/CircleCollider.h"
#include "engine/physics/ContactBroadPhase.h"
#include "engine/physics/PhysicsComponents.h"
#include "engine/physics/RectCollider.h"
#include "engine/scene/SameBits.h"

namespace VelaEngine::Collision {

namespace {
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

bool SameBounds(const ShapeBounds& a, const ShapeBounds& b) {
    return a.bounded == b.bounded && a.minX == b.minX && a.minY == b.minY && a.maxX == b.maxX &&
           a.maxY == b.maxY && a.reach == b.reach;
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
}  // namespace

void ContactBroadPhase::Moved(Transform& transform) {
    Watched& watched = watched_[transform.GetWatchTag()];
    if (!watched.pending) {
        watched.pending = true;
        pending_.push_back(transform.GetWatchTag());
    }
}

void ContactBroadPhase::Gone(Transform& transform) {
    Watched& watched = watched_[transform.GetWatchTag()];
    watched.transform = nullptr;
    for (std::uint32_t id = watched.firstEntry; id != kNone; id = entries_[id].nextSame) {
        Freeze(id);
        // Its address may come back as another entity, under the same list.
        stale_ = true;
    }
}

void ContactBroadPhase::Unwatch() {
    for (const Watched& watched : watched_) {
        if (watched.transform != nullptr) {
            watched.transform->Watch(nullptr, 0);
        }
    }
    watched_.clear();
    below_.clear();
    pending_.clear();
}

std::uint32_t ContactBroadPhase::WatchOf(Transform& transform) {
    if (transform.GetWatcher() == this) {
        return transform.GetWatchTag();
    }
    const auto tag = static_cast<std::uint32_t>(watched_.size());
    watched_.push_back({&transform});
    transform.Watch(this, tag);
    return tag;
}

void ContactBroadPhase::Rebuild(const Events::CollisionEvent& event) {
    serial_ = event.GetSerial();
    listData_ = event.candidates.data();
    listSize_ = event.candidates.size();
    ++layouts_;
    const std::size_t n = listSize_;
    // What moved under the last layout, or moves by itself, starts out among the moving.
    std::vector<bool> moving(n, false);
    for (std::size_t id = 0; id < n; ++id) {
        const Entity* entity = event.candidates[id];
        if (entity == nullptr || entity->GetTransformPtr() == nullptr) {
            continue;
        }
        const Transform& transform = entity->GetTransform();
        if (transform.GetWatcher() == this) {
            const std::uint32_t was = watched_[transform.GetWatchTag()].firstEntry;
            moving[id] = was != kNone && entries_[was].place == Place::Dynamic;
        }
        moving[id] = moving[id] || FirstDynamicBody(*entity) != nullptr;
    }
    Unwatch();
    entries_.assign(n, Entry{});
    listed_.assign(event.candidates.begin(), event.candidates.end());
    listedStamp_ = event.listStamp;
    // (watched transform, entry below it), in entry order.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> ancestry;
    for (std::uint32_t id = 0; id < n; ++id) {
        Entry& entry = entries_[id];
        entry.entity = event.candidates[id];
        if (entry.entity == nullptr || entry.entity->GetTransformPtr() == nullptr) {
            continue;
        }
        entry.collider = FirstCollider(*entry.entity);
        Transform& transform = entry.entity->GetTransform();
        entry.parent = transform.GetParent();
        Watched& own = watched_[WatchOf(transform)];
        if (own.firstEntry == kNone) {
            own.firstEntry = id;
        } else {
            // Named again: chain it behind the earlier entries.
            std::uint32_t last = own.firstEntry;
            while (entries_[last].nextSame != kNone) {
                last = entries_[last].nextSame;
            }
            entries_[last].nextSame = id;
        }
        for (Transform* up = entry.parent; up != nullptr; up = up->GetParent()) {
            ancestry.emplace_back(WatchOf(*up), id);
        }
    }
    ListBelow(ancestry);
    LayOut(moving);
}

void ContactBroadPhase::ListBelow(
    const std::vector<std::pair<std::uint32_t, std::uint32_t>>& ancestry) {
    for (const auto& [watch, id] : ancestry) {
        ++watched_[watch].belowEnd;
    }
    std::uint32_t at = 0;
    for (Watched& watched : watched_) {
        watched.belowBegin = at;
        at += watched.belowEnd;
        watched.belowEnd = watched.belowBegin;
    }
    below_.assign(ancestry.size(), kNone);
    for (const auto& [watch, id] : ancestry) {
        below_[watched_[watch].belowEnd++] = id;
    }
}

void ContactBroadPhase::LayOut(const std::vector<bool>& moving) {
    const std::size_t n = entries_.size();
    std::vector<ShapeBounds> boxes(n);
    for (std::uint32_t id = 0; id < n; ++id) {
        Entry& entry = entries_[id];
        entry.bounds = BoundsOf(entry.entity, entry.collider);
        boxes[id] = entry.bounds;
    }
    inverseCell_ = 1.0 / static_cast<double>(CellSizeFor(boxes));
    dynamic_.Clear();
    outside_.clear();
    maxReach_ = 1.0f;
    std::vector<StaticGrid::Member> still;
    for (std::uint32_t id = 0; id < n; ++id) {
        Entry& entry = entries_[id];
        if (!entry.bounds.bounded || !CellRangeOf(entry.bounds, 0.0f, inverseCell_, entry.cells)) {
            entry.place = Place::Outside;
            outside_.push_back(id);
            continue;
        }
        maxReach_ = std::max(maxReach_, entry.bounds.reach);
        if (moving[id]) {
            entry.place = Place::Dynamic;
            dynamic_.Insert(id, entry.cells);
        } else {
            entry.place = Place::Static;
            still.push_back({id, entry.cells});
        }
    }
    static_.Build(still);
    caches_.assign(n, NearCache{});
    cards_.assign(n, ContactCard{});
    movedAt_.assign(n, 0);
    for (std::uint32_t id = 0; id < n; ++id) {
        const Entry& entry = entries_[id];
        cards_[id].rootRect = entry.collider != nullptr &&
                              entry.collider->GetShape() == Collider::Shape::Rect &&
                              entry.collider->GetOwner() == entry.entity && entry.parent == nullptr;
    }
    NoteFixedChange();
    seen_.assign(n, 0);
    stamp_ = 0;
    stale_ = false;
}

void ContactBroadPhase::Leave(std::uint32_t id) {
    const Entry& entry = entries_[id];
    switch (entry.place) {
        case Place::Static:
            static_.Remove(id, entry.cells);
            NoteFixedChange();
            break;
        case Place::Dynamic:
            dynamic_.Remove(id, entry.cells);
            break;
        case Place::Outside:
            outside_.erase(std::lower_bound(outside_.begin(), outside_.end(), id));
            NoteFixedChange();
            break;
    }
}

void ContactBroadPhase::Enter(std::uint32_t id) {
    Entry& entry = entries_[id];
    CellRange cells;
    if (!entry.frozen && entry.bounds.bounded &&
        CellRangeOf(entry.bounds, 0.0f, inverseCell_, cells)) {
        entry.place = Place::Dynamic;
        entry.cells = cells;
        dynamic_.Insert(id, cells);
        Lengthen(entry.bounds.reach);
    } else {
        entry.place = Place::Outside;
        outside_.insert(std::lower_bound(outside_.begin(), outside_.end(), id), id);
        NoteFixedChange();
    }
}

void ContactBroadPhase::Lengthen(float reach) {
    if (reach > maxReach_) {
        maxReach_ = reach;
        NoteFixedChange();
    }
}

void ContactBroadPhase::Freeze(std::uint32_t id) {
    Entry& entry = entries_[id];
    if (entry.frozen) {
        return;
    }
    Leave(id);
    entry.frozen = true;
    entry.facesKnown = false;
    entry.bounds = ShapeBounds{};
    Enter(id);
}

void ContactBroadPhase::Refresh(std::uint32_t id) {
    Entry& entry = entries_[id];
    entry.facesKnown = false;
    if (entry.frozen) {
        return;
    }
    if (entry.entity->GetTransform().GetParent() != entry.parent) {
        // Its new ancestors are not watched: tested always, until the list is laid out again.
        Freeze(id);
        stale_ = true;
        return;
    }
    const ShapeBounds bounds = BoundsOf(entry.entity, entry.collider);
    if (entry.place == Place::Dynamic) {
        CellRange cells;
        entry.bounds = bounds;
        if (!bounds.bounded || !CellRangeOf(bounds, 0.0f, inverseCell_, cells)) {
            Leave(id);
            Enter(id);
            return;
        }
        // A turn or shear from a parent may lengthen the reach without leaving the cells.
        Lengthen(bounds.reach);
        NoteMove(id);
        if (!(cells == entry.cells)) {
            dynamic_.Remove(id, entry.cells);
            entry.cells = cells;
            dynamic_.Insert(id, cells);
        }
        return;
    }
    // Even a change that keeps the box may turn the faces a contact meets.
    ++stillChanges_;
    CellRange cells;
    const bool fits = bounds.bounded && CellRangeOf(bounds, 0.0f, inverseCell_, cells);
    if ((entry.place == Place::Static && SameBounds(bounds, entry.bounds)) ||
        (entry.place == Place::Outside && !fits)) {
        if (!SameBounds(bounds, entry.bounds)) {
            NoteFixedChange();
        }
        entry.bounds = bounds;
        return;
    }
    // A still candidate that moved or resized joins the moving; one outside may come in.
    Leave(id);
    entry.bounds = bounds;
    Enter(id);
}

void ContactBroadPhase::NoteMove(std::uint32_t id) {
    const Entry& entry = entries_[id];
    ContactCard& card = cards_[id];
    const Collider* collider = entry.collider;
    // A circle's contacts read its centre and radius only; anything else counts as moved.
    if (collider != nullptr && collider->GetShape() == Collider::Shape::Circle &&
        collider->GetOwner() == entry.entity) {
        const Point2 centre = collider->GetTransform()->GetWorldPosition();
        const float radius = static_cast<const CircleCollider&>(*collider).GetRadius();
        if (SameBits(centre.x, card.x) && SameBits(centre.y, card.y) &&
            SameBits(radius, card.radius) && movedAt_[id] != 0) {
            return;
        }
        card.x = centre.x;
        card.y = centre.y;
        card.radius = radius;
    }
    movedAt_[id] = ++moves_;
}

const RectFaces* ContactBroadPhase::FacesOf(std::size_t index) {
    ContactCard& card = cards_[index];
    Entry& entry = entries_[index];
    if (entry.facesKnown) {
        return &card.faces;
    }
    // A reparented entry is frozen: its placement now hangs on transforms no one watches.
    if (!card.rootRect || entry.frozen) {
        return nullptr;
    }
    const auto& rect = static_cast<const RectCollider&>(*entry.collider);
    card.faces =
        MakeRectFaces(rect.GetTransform()->GetWorldMatrix(), rect.GetWidth(), rect.GetHeight());
    entry.facesKnown = true;
    return &card.faces;
}

DynamicBody2D* ContactBroadPhase::BodyOf(std::size_t index) {
    ContactCard& card = cards_[index];
    if (card.bodyAt != EntityTree::ShapeStamp()) {
        card.body = FirstDynamicBody(*entries_[index].entity);
        card.bodyAt = EntityTree::ShapeStamp();
    }
    return card.body;
}

void ContactBroadPhase::TakeChanges() {
    TakeChangesBut(kNone);
}

std::uint32_t ContactBroadPhase::OwnOnlyTag(const Collider& ownCollider) const {
    const Transform& transform = *ownCollider.GetTransform();
    if (stale_ || transform.GetWatcher() != this) {
        return kNone;
    }
    const std::uint32_t tag = transform.GetWatchTag();
    const Watched& watched = watched_[tag];
    // Its entries are its entity's, the asking body's when the collider is its owner's own.
    const bool ownEntity = watched.firstEntry != kNone &&
                           entries_[watched.firstEntry].entity == ownCollider.GetOwner();
    return ownEntity && watched.belowBegin == watched.belowEnd ? tag : kNone;
}

void ContactBroadPhase::TakePendingBut(std::uint32_t kept) {
    // Boxing reads placements and never changes one, so this takes every change there is.
    taking_.swap(pending_);
    for (std::uint32_t tag : taking_) {
        Watched& watched = watched_[tag];
        if (tag == kept) {
            pending_.push_back(tag);
            continue;
        }
        watched.pending = false;
        if (watched.transform == nullptr) {
            continue;
        }
        for (std::uint32_t id = watched.firstEntry; id != kNone; id = entries_[id].nextSame) {
            RefreshEntry(id);
        }
        for (std::uint32_t at = watched.belowBegin; at < watched.belowEnd; ++at) {
            RefreshEntry(below_[at]);
        }
    }
    taking_.clear();
}

void ContactBroadPhase::RefreshEntry(std::uint32_t id) {
    Refresh(id);
    if (asking_ != nullptr && id >= askingNext_ && entries_[id].entity != asking_) {
        laterChanged_ = true;
    }
}

}  // namespace VelaEngine::Collision
