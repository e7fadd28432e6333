#pragma once
// The candidates that move, listed by cell and kept current one move at a time: an id leaves
// the cells it left and joins the ones it entered, so no listing ever goes stale.
#include <cstdint>
#include <vector>

#include "engine/physics/GridCells.h"

namespace VelaEngine::Collision {

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

private:
    struct Listing {
        std::int32_t x;
        std::int32_t y;
        std::uint32_t id;
    };
    void Grow();

    // Cells that hash alike share a bucket; each listing says which cell it is in.
    std::vector<std::vector<Listing>> buckets_;
    std::size_t count_ = 0;
};

}  // namespace VelaEngine::Collision
