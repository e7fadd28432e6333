#include "engine/physics/DynamicGrid.h"

namespace VelaEngine::Collision {

namespace {
constexpr std::size_t kFirstBuckets = 64;
}  // namespace

void DynamicGrid::Clear() {
    // The buckets keep their room: the next layout usually lists about as many again.
    for (std::vector<Listing>& bucket : buckets_) {
        bucket.clear();
    }
    count_ = 0;
}

void DynamicGrid::Insert(std::uint32_t id, const CellRange& cells) {
    const auto added = static_cast<std::size_t>(cells.x1 - cells.x0 + 1) *
                       static_cast<std::size_t>(cells.y1 - cells.y0 + 1);
    while ((count_ + added) * 2 > buckets_.size()) {
        Grow();
    }
    const std::size_t mask = buckets_.size() - 1;
    for (std::int32_t y = cells.y0; y <= cells.y1; ++y) {
        for (std::int32_t x = cells.x0; x <= cells.x1; ++x) {
            buckets_[CellBucket(x, y, mask)].push_back({x, y, id});
        }
    }
    count_ += added;
}

void DynamicGrid::Remove(std::uint32_t id, const CellRange& cells) {
    const std::size_t mask = buckets_.size() - 1;
    for (std::int32_t y = cells.y0; y <= cells.y1; ++y) {
        for (std::int32_t x = cells.x0; x <= cells.x1; ++x) {
            std::vector<Listing>& bucket = buckets_[CellBucket(x, y, mask)];
            for (Listing& listing : bucket) {
                if (listing.id == id && listing.x == x && listing.y == y) {
                    listing = bucket.back();
                    bucket.pop_back();
                    --count_;
                    break;
                }
            }
        }
    }
}

void DynamicGrid::Grow() {
    std::vector<std::vector<Listing>> old;
    old.swap(buckets_);
    buckets_.resize(old.empty() ? kFirstBuckets : old.size() * 2);
    const std::size_t mask = buckets_.size() - 1;
    for (const std::vector<Listing>& bucket : old) {
        for (const Listing& listing : bucket) {
            buckets_[CellBucket(listing.x, listing.y, mask)].push_back(listing);
        }
    }
}

}  // namespace VelaEngine::Collision
