#include "engine/physics/CellGrid.h"

#include <algorithm>

namespace VelaEngine::Collision {

namespace {
// A box over more cells than this is cheaper to check directly than to list everywhere.
constexpr double kMaxCellsPerSide = 8.0;
// Cell numbers stay far inside 32 bits.
constexpr double kMaxCell = 1e9;
// floor() for values known to fit, without a library call.
std::int32_t CellOf(double scaled) {
    const auto truncated = static_cast<std::int32_t>(scaled);
    return static_cast<double>(truncated) > scaled ? truncated - 1 : truncated;
}
}  // namespace

void CellGrid::Reset(float cellSize, std::size_t expected) {
    cellSize_ = cellSize;
    inverseCell_ = 1.0 / static_cast<double>(cellSize);
    std::size_t count = 64;
    while (count < expected * 2) {
        count *= 2;
    }
    start_.assign(count + 1, 0);
    packed_.clear();
    head_.assign(count, kNone);
    links_.clear();
}

void CellGrid::Pack() {
    const std::size_t count = head_.size();
    // Each bucket keeps its packed ids first, then its chain, newest first.
    std::vector<std::uint32_t> sizes(count, 0);
    for (std::size_t bucket = 0; bucket < count; ++bucket) {
        sizes[bucket] = start_[bucket + 1] - start_[bucket];
        for (std::uint32_t link = head_[bucket]; link != kNone; link = links_[link].next) {
            ++sizes[bucket];
        }
    }
    std::vector<std::uint32_t> start(count + 1, 0);
    for (std::size_t bucket = 0; bucket < count; ++bucket) {
        start[bucket + 1] = start[bucket] + sizes[bucket];
    }
    std::vector<std::uint32_t> packed(start[count]);
    for (std::size_t bucket = 0; bucket < count; ++bucket) {
        std::uint32_t at = start[bucket];
        for (std::uint32_t i = start_[bucket]; i < start_[bucket + 1]; ++i) {
            packed[at++] = packed_[i];
        }
        for (std::uint32_t link = head_[bucket]; link != kNone; link = links_[link].next) {
            packed[at++] = links_[link].id;
        }
    }
    start_.swap(start);
    packed_.swap(packed);
    std::fill(head_.begin(), head_.end(), kNone);
    links_.clear();
}

bool CellGrid::RangeOf(const ShapeBounds& box, float grow, CellRange& range) const {
    const double x0 = (static_cast<double>(box.minX) - grow) * inverseCell_;
    const double y0 = (static_cast<double>(box.minY) - grow) * inverseCell_;
    const double x1 = (static_cast<double>(box.maxX) + grow) * inverseCell_;
    const double y1 = (static_cast<double>(box.maxY) + grow) * inverseCell_;
    // Written so that NaN fails too.
    const bool fits = x0 >= -kMaxCell && y0 >= -kMaxCell && x1 <= kMaxCell && y1 <= kMaxCell &&
                      x1 - x0 < kMaxCellsPerSide && y1 - y0 < kMaxCellsPerSide;
    if (!fits) {
        return false;
    }
    range = {CellOf(x0), CellOf(y0), CellOf(x1), CellOf(y1)};
    return true;
}

void CellGrid::Insert(std::uint32_t id, const CellRange& range) {
    for (std::int32_t y = range.y0; y <= range.y1; ++y) {
        for (std::int32_t x = range.x0; x <= range.x1; ++x) {
            std::uint32_t& head = head_[BucketOf(x, y)];
            links_.push_back({id, head});
            head = static_cast<std::uint32_t>(links_.size() - 1);
        }
    }
}

}  // namespace VelaEngine::Collision
