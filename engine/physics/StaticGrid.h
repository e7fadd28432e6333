#pragma once
// The candidates that have not moved since the candidate list was last laid out, listed by
// cell in one packed array: a cell is found by arithmetic (or, over a sparse region, by a hash
// of its coordinates), and its ids follow one another in ascending order.
#include <cstdint>
#include <span>
#include <vector>

#include "engine/physics/GridCells.h"

namespace VelaEngine::Collision {

class StaticGrid {
public:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    struct Member {
        std::uint32_t id;
        CellRange cells;
    };

    // Lists every member in every cell of its range; members come in ascending id order.
    void Build(std::span<const Member> members);
    // Takes the id out of its cells for good (until the next Build).
    void Remove(std::uint32_t id, const CellRange& cells);
    // Every id listed in the range's cells (an id over several of them once per cell); over
    // sparse regions also ids of other cells.
    template <class Visit>
    void ForEach(const CellRange& query, Visit&& visit) const {
        const CellRange range = Clamped(query);
        for (std::int32_t y = range.y0; y <= range.y1; ++y) {
            for (std::int32_t x = range.x0; x <= range.x1; ++x) {
                const std::size_t bucket = BucketOf(x, y);
                for (std::uint32_t i = start_[bucket]; i < start_[bucket + 1]; ++i) {
                    if (ids_[i] != kNone) {
                        visit(ids_[i]);
                    }
                }
            }
        }
    }
    std::size_t ListingCount() const { return ids_.size(); }
    bool IsDense() const { return dense_; }

private:
    CellRange Clamped(const CellRange& query) const;
    std::size_t BucketOf(std::int32_t x, std::int32_t y) const {
        if (dense_) {
            return static_cast<std::size_t>(y - extent_.y0) * columns_ +
                   static_cast<std::size_t>(x - extent_.x0);
        }
        return CellBucket(x, y, start_.size() - 2);
    }

    // The cells any member covers; queries look nowhere else.
    CellRange extent_;
    // One bucket per cell of the extent, or hashed buckets when that would be too many.
    bool dense_ = true;
    std::size_t columns_ = 0;
    // Bucket b's ids are ids_[start_[b]] up to ids_[start_[b + 1]]; removed ones are kNone.
    std::vector<std::uint32_t> start_ = {0};
    std::vector<std::uint32_t> ids_;
};

}  // namespace VelaEngine::Collision
