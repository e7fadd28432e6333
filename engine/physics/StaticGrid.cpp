#include "engine/physics/StaticGrid.h"

#include <algorithm>

namespace VelaEngine::Collision {

namespace {
std::size_t CellCount(const CellRange& range) {
    return static_cast<std::size_t>(static_cast<std::int64_t>(range.x1) - range.x0 + 1) *
           static_cast<std::size_t>(static_cast<std::int64_t>(range.y1) - range.y0 + 1);
}

template <class Each>
void ForEachCell(const CellRange& range, Each&& each) {
    for (std::int32_t y = range.y0; y <= range.y1; ++y) {
        for (std::int32_t x = range.x0; x <= range.x1; ++x) {
            each(x, y);
        }
    }
}
}  // namespace

void StaticGrid::Build(std::span<const Member> members) {
    extent_ = CellRange{};
    std::size_t listings = 0;
    for (const Member& member : members) {
        if (listings == 0) {
            extent_ = member.cells;
        } else {
            extent_ = {std::min(extent_.x0, member.cells.x0), std::min(extent_.y0, member.cells.y0),
                       std::max(extent_.x1, member.cells.x1),
                       std::max(extent_.y1, member.cells.y1)};
        }
        listings += CellCount(member.cells);
    }
    // The members' own cells stay below 8 a side, but they may lie far apart.
    const std::size_t denseLimit = listings * 4 + 64;
    const std::int64_t width = static_cast<std::int64_t>(extent_.x1) - extent_.x0 + 1;
    const std::int64_t height = static_cast<std::int64_t>(extent_.y1) - extent_.y0 + 1;
    dense_ = listings == 0 ||
             (width <= static_cast<std::int64_t>(denseLimit) &&
              height <= static_cast<std::int64_t>(denseLimit) && CellCount(extent_) <= denseLimit);
    std::size_t buckets = 0;
    if (listings == 0) {
        columns_ = 0;
    } else if (dense_) {
        columns_ = static_cast<std::size_t>(width);
        buckets = CellCount(extent_);
    } else {
        buckets = BucketCountFor(listings, 64);
    }
    // Counted, then filled in id order, so that every bucket comes out ascending.
    start_.assign(buckets + 1, 0);
    for (const Member& member : members) {
        ForEachCell(member.cells,
                    [&](std::int32_t x, std::int32_t y) { ++start_[BucketOf(x, y) + 1]; });
    }
    for (std::size_t b = 0; b < buckets; ++b) {
        start_[b + 1] += start_[b];
    }
    ids_.assign(listings, kNone);
    std::vector<std::uint32_t> fill(start_.begin(), start_.end() - 1);
    for (const Member& member : members) {
        ForEachCell(member.cells, [&](std::int32_t x, std::int32_t y) {
            ids_[fill[BucketOf(x, y)]++] = member.id;
        });
    }
}

void StaticGrid::Remove(std::uint32_t id, const CellRange& cells) {
    ForEachCell(Clamped(cells), [&](std::int32_t x, std::int32_t y) {
        const std::size_t bucket = BucketOf(x, y);
        auto* begin = ids_.data() + start_[bucket];
        auto* end = ids_.data() + start_[bucket + 1];
        auto* found = std::find(begin, end, id);
        if (found != end) {
            *found = kNone;
        }
    });
}

CellRange StaticGrid::Clamped(const CellRange& query) const {
    if (ids_.empty()) {
        return {};
    }
    return {std::max(query.x0, extent_.x0), std::max(query.y0, extent_.y0),
            std::min(query.x1, extent_.x1), std::min(query.y1, extent_.y1)};
}

}  // namespace VelaEngine::Collision
