#pragma once
// A uniform grid of square cells over the plane, hashed into a fixed number of buckets, that
// lists ids by the cells their boxes cover. Buckets may hold stale and repeated ids (an id
// is added again when its box moves to other cells, and buckets are shared by cells that
// hash alike): readers check every id against its current box.
#include <cstdint>
#include <vector>

#include "engine/physics/ShapeBounds.h"

namespace VelaEngine::Collision {

class CellGrid {
public:
    struct CellRange {
        std::int32_t x0 = 0;
        std::int32_t y0 = 0;
        std::int32_t x1 = -1;
        std::int32_t y1 = -1;
        bool operator==(const CellRange&) const = default;
    };

    // Empties the grid and sets its cell size and room for about `expected` ids.
    void Reset(float cellSize, std::size_t expected);
    // The cells `box` grown by `grow` covers; false when that is more than a few cells or
    // lies beyond the grid's reach (such boxes are kept outside the grid).
    bool RangeOf(const ShapeBounds& box, float grow, CellRange& range) const;
    void Insert(std::uint32_t id, const CellRange& range);
    // Every id listed in the range's cells, with repeats and stale ones.
    template <class Visit>
    void ForEach(const CellRange& range, Visit&& visit) const {
        for (std::int32_t y = range.y0; y <= range.y1; ++y) {
            for (std::int32_t x = range.x0; x <= range.x1; ++x) {
                for (std::uint32_t id : buckets_[BucketOf(x, y)]) {
                    visit(id);
                }
            }
        }
    }
    std::size_t MemberCount() const { return members_; }
    float CellSize() const { return cellSize_; }

private:
    std::size_t BucketOf(std::int32_t x, std::int32_t y) const;

    float cellSize_ = 1.0f;
    double inverseCell_ = 1.0;
    std::vector<std::vector<std::uint32_t>> buckets_;
    std::size_t members_ = 0;
};

}  // namespace VelaEngine::Collision
