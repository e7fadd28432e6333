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
    regrown_ = ++changes_;
}

void DynamicGrid::Insert(std::uint32_t id, const CellRange& cells) {
    const auto added = static_cast<std::size_t>(cells.x1 - cells.x0 + 1) *
                       static_cast<std::size_t>(cells.y1 - cells.y0 + 1);
    while ((count_ + added) * 2 > buckets_.size()) {
        Grow();
    }
    const std::size_t mask = buckets_.size() - 1;
    const std::uint64_t change = ++changes_;
    for (std::int32_t y = cells.y0; y <= cells.y1; ++y) {
        for (std::int32_t x = cells.x0; x <= cells.x1; ++x) {
            const std::size_t bucket = CellBucket(x, y, mask);
            buckets_[bucket].push_back({x, y, id});
            changed_[bucket] = change;
        }
    }
    count_ += added;
}

void DynamicGrid::Remove(std::uint32_t id, const CellRange& cells) {
    const std::size_t mask = buckets_.size() - 1;
    const std::uint64_t change = ++changes_;
    for (std::int32_t y = cells.y0; y <= cells.y1; ++y) {
        for (std::int32_t x = cells.x0; x <= cells.x1; ++x) {
            const std::size_t at = CellBucket(x, y, mask);
            changed_[at] = change;
            std::vector<Listing>& bucket = buckets_[at];
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

void DynamicGrid::BucketsOf(const CellRange& range, CellBuckets& buckets) const {
    buckets.count = 0;
    const std::int64_t cells = (static_cast<std::int64_t>(range.x1) - range.x0 + 1) *
                               (static_cast<std::int64_t>(range.y1) - range.y0 + 1);
    buckets.known = cells <= static_cast<std::int64_t>(buckets.at.size());
    if (!buckets.known || buckets_.empty()) {
        return;
    }
    const std::size_t mask = buckets_.size() - 1;
    for (std::int32_t y = range.y0; y <= range.y1; ++y) {
        for (std::int32_t x = range.x0; x <= range.x1; ++x) {
            buckets.at[buckets.count++] = static_cast<std::uint32_t>(CellBucket(x, y, mask));
        }
    }
}

void DynamicGrid::Grow() {
    std::vector<std::vector<Listing>> old;
    old.swap(buckets_);
    buckets_.resize(old.empty() ? kFirstBuckets : old.size() * 2);
    changed_.assign(buckets_.size(), 0);
    regrown_ = ++changes_;
    const std::size_t mask = buckets_.size() - 1;
    for (const std::vector<Listing>& bucket : old) {
        for (const Listing& listing : bucket) {
            buckets_[CellBucket(listing.x, listing.y, mask)].push_back(listing);
        }
    }
}

}  // namespace VelaEngine::Collision
