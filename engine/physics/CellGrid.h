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
    // Lays every listing out in one array, bucket by bucket, for quick reading; later
    // insertions are chained behind until the next call.
    void Pack();
    // Every id listed in the range's cells, with repeats and stale ones.
    template <class Visit>
    void ForEach(const CellRange& range, Visit&& visit) const {
        for (std::int32_t y = range.y0; y <= range.y1; ++y) {
            for (std::int32_t x = range.x0; x <= range.x1; ++x) {
                const std::size_t bucket = BucketOf(x, y);
                for (std::uint32_t i = start_[bucket]; i < start_[bucket + 1]; ++i) {
                    visit(packed_[i]);
                }
                for (std::uint32_t link = head_[bucket]; link != kNone; link = links_[link].next) {
                    visit(links_[link].id);
                }
            }
        }
    }
    std::size_t MemberCount() const { return packed_.size() + links_.size(); }
    // Listings made since the last Pack.
    std::size_t LooseCount() const { return links_.size(); }
    float CellSize() const { return cellSize_; }

private:
    static constexpr std::uint32_t kNone = UINT32_MAX;
    struct Link {
        std::uint32_t id;
        std::uint32_t next;
    };

    std::size_t BucketOf(std::int32_t x, std::int32_t y) const {
        const std::uint64_t h =
            static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) * 0x9E3779B97F4A7C15ull ^
            static_cast<std::uint64_t>(static_cast<std::uint32_t>(y)) * 0xC2B2AE3D27D4EB4Full;
        return static_cast<std::size_t>(h >> 32) & (head_.size() - 1);
    }

    float cellSize_ = 1.0f;
    double inverseCell_ = 1.0;
    // Bucket b's packed ids are packed_[start_[b]] up to packed_[start_[b + 1]].
    std::vector<std::uint32_t> start_ = {0};
    std::vector<std::uint32_t> packed_;
    // Bucket b's later ids: a chain through links_ from head_[b].
    std::vector<std::uint32_t> head_;
    std::vector<Link> links_;
};

}  // namespace VelaEngine::Collision
