#pragma once
// The candidates that move, listed by cell and kept current one move at a time: an id leaves
// the cells it left and joins the ones it entered, so no listing ever goes stale.
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "engine/physics/GridCells.h"

namespace VelaEngine::Collision {

// The buckets of a few cells, worked out once for a range that is checked again and again.
struct CellBuckets {
    std::array<std::uint32_t, 4> at{};
    std::uint8_t count = 0;
    // False: the range has more cells than fit here, and is checked cell by cell.
    bool known = false;
};

class DynamicGrid {
public:
    // Empties the grid.
    void Clear();
    void Insert(std::uint32_t id, const CellRange& cells);
    // `cells` must be the range the id was inserted with.
    void Remove(std::uint32_t id, const CellRange& cells);
    // Every id listed in the range's cells, once per cell.
    template <class Visit>
    void ForEach(const CellRange& range, Visit&& visit) const {
        if (count_ == 0) {
            return;
        }
        const std::size_t mask = buckets_.size() - 1;
        for (std::int32_t y = range.y0; y <= range.y1; ++y) {
            for (std::int32_t x = range.x0; x <= range.x1; ++x) {
                for (const Listing& listing : buckets_[CellBucket(x, y, mask)]) {
                    if (listing.x == x && listing.y == y) {
                        visit(listing.id);
                    }
                }
            }
        }
    }
    // Listings (an id once per cell).
    std::size_t ListingCount() const { return count_; }
    // Changes are numbered 1, 2, ...: the number of the last one so far, and of the last one
    // that touched the range's cells (an id joining or leaving one of them, or the grid being
    // emptied or spread over more buckets). While the second stays at or below a number once
    // taken from the first, the range's listings are what they were then.
    std::uint64_t LastChange() const { return changes_; }
    // The same for the range `buckets` were worked out for (BucketsOf): a regrowth spreads
    // the cells anew, and the number it takes already says the range changed.
    std::uint64_t LastChangeIn(const CellRange& range, const CellBuckets& buckets) const {
        if (!buckets.known) {
            return LastChangeIn(range);
        }
        std::uint64_t last = regrown_;
        for (std::uint8_t i = 0; i < buckets.count; ++i) {
            last = std::max(last, changed_[buckets.at[i]]);
        }
        return last;
    }
    void BucketsOf(const CellRange& range, CellBuckets& buckets) const;
    std::uint64_t LastChangeIn(const CellRange& range) const {
        std::uint64_t last = regrown_;
        if (buckets_.empty()) {
            return last;
        }
        const std::size_t mask = buckets_.size() - 1;
        for (std::int32_t y = range.y0; y <= range.y1; ++y) {
            for (std::int32_t x = range.x0; x <= range.x1; ++x) {
                last = std::max(last, changed_[CellBucket(x, y, mask)]);
            }
        }
        return last;
    }

private:
    struct Listing {
        std::int32_t x;
        std::int32_t y;
        std::uint32_t id;
    };
    void Grow();

    // Cells that hash alike share a bucket; each listing says which cell it is in.
    std::vector<std::vector<Listing>> buckets_;
    // The last change of each bucket, and the last emptying or regrowth, which change them all.
    std::vector<std::uint64_t> changed_;
    std::uint64_t regrown_ = 0;
    std::uint64_t changes_ = 0;
    std::size_t count_ = 0;
};

}  // namespace VelaEngine::Collision
