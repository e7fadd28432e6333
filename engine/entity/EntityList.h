#pragma once
// Owning lists of entities: a scene's roots, an entity's children. A list in the order the
// passes visit, whose every change of membership is counted, so that what the passes keep
// about the tree's shape knows when to look again.
#include <cstdint>
#include <list>
#include <memory>
#include <utility>

#include "engine/entity/EntityStorage.h"

namespace VelaEngine {

class Entity;

namespace EntityTree {
// Grows with every change that can alter what a pass visits: a list's membership, a new
// listener, a new component.
inline std::uint64_t shapeChanges = 0;
inline void ShapeChanged() {
    ++shapeChanges;
}
// The shape as a stamp that is never 0, so that a stamp kept as 0 means "not looked at yet".
inline std::uint64_t ShapeStamp() {
    return shapeChanges + 1;
}
// Grows with every entity marked for removal, so a frame without one skips the sweep.
inline std::uint64_t destroyRequests = 0;
}  // namespace EntityTree

class EntityList {
    using Items = std::list<std::shared_ptr<Entity>, PackedAllocator<std::shared_ptr<Entity>>>;

public:
    using value_type = Items::value_type;
    using iterator = Items::iterator;
    using const_iterator = Items::const_iterator;
    using reverse_iterator = Items::reverse_iterator;
    using const_reverse_iterator = Items::const_reverse_iterator;

    EntityList() = default;
    EntityList(const EntityList&) = delete;
    EntityList& operator=(const EntityList&) = delete;
    EntityList(EntityList&& other) noexcept : items_(std::move(other.items_)) {
        EntityTree::ShapeChanged();
    }
    ~EntityList() {
        if (!items_.empty()) {
            EntityTree::ShapeChanged();
        }
    }

    iterator begin() { return items_.begin(); }
    iterator end() { return items_.end(); }
    const_iterator begin() const { return items_.begin(); }
    const_iterator end() const { return items_.end(); }
    reverse_iterator rbegin() { return items_.rbegin(); }
    reverse_iterator rend() { return items_.rend(); }
    const_reverse_iterator rbegin() const { return items_.rbegin(); }
    const_reverse_iterator rend() const { return items_.rend(); }
    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    const value_type& front() const { return items_.front(); }
    const value_type& back() const { return items_.back(); }

    void push_back(value_type entity) {
        EntityTree::ShapeChanged();
        items_.push_back(std::move(entity));
    }
    void clear() {
        EntityTree::ShapeChanged();
        // Cleared through a moved-out copy: destructors that look at the list see it empty.
        Items gone;
        gone.swap(items_);
    }
    // Moves every entity of `other` in front of `position`.
    void splice(const_iterator position, EntityList& other) {
        EntityTree::ShapeChanged();
        items_.splice(position, other.items_);
    }
    iterator erase(const_iterator position) {
        EntityTree::ShapeChanged();
        return items_.erase(position);
    }
    template <class Predicate>
    std::size_t remove_if(Predicate predicate) {
        const std::size_t removed = items_.remove_if(predicate);
        if (removed != 0) {
            EntityTree::ShapeChanged();
        }
        return removed;
    }

    // Whether nothing was marked for removal and no list changed since MarkSwept: the
    // end-of-frame sweep of this tree would find nothing.
    bool UnchangedSinceSweep() const {
        return sweptShape_ == EntityTree::shapeChanges &&
               sweptDestroys_ == EntityTree::destroyRequests;
    }
    void MarkSwept() {
        sweptShape_ = EntityTree::shapeChanges;
        sweptDestroys_ = EntityTree::destroyRequests;
    }

private:
    Items items_;
    std::uint64_t sweptShape_ = ~std::uint64_t{0};
    std::uint64_t sweptDestroys_ = ~std::uint64_t{0};
};

}  // namespace VelaEngine
