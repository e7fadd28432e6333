#pragma once
// Square cells over the plane, shared by the broad phase's two grids: which cells a box
// covers, and how a cell's coordinates spread over buckets.
#include <cstdint>

#include "engine/physics/ShapeBounds.h"

namespace VelaEngine::Collision {

struct CellRange {
    std::int32_t x0 = 0;
    std::int32_t y0 = 0;
    std::int32_t x1 = -1;
    std::int32_t y1 = -1;
    bool operator==(const CellRange&) const = default;
    bool Empty() const { return x1 < x0 || y1 < y0; }
};

// A box over more cells than this a side is cheaper to check directly than to list everywhere.
constexpr double kMaxCellsPerSide = 8.0;
// Cell numbers stay far inside 32 bits.
constexpr double kMaxCell = 1e9;

// floor() for values known to fit, without a library call.
inline std::int32_t CellOf(double scaled) {
    const auto truncated = static_cast<std::int32_t>(scaled);
    return static_cast<double>(truncated) > scaled ? truncated - 1 : truncated;
}

// The cells of side 1 / `inverseCell` that `box` grown by `grow` covers; false when that is
// more than a few cells a side or beyond the grid's reach (such boxes stay outside the grids).
// Inline: every moving candidate and every query asks it each frame.
inline bool CellRangeOf(const ShapeBounds& box, float grow, double inverseCell, CellRange& range) {
    const double x0 = (static_cast<double>(box.minX) - grow) * inverseCell;
    const double y0 = (static_cast<double>(box.minY) - grow) * inverseCell;
    const double x1 = (static_cast<double>(box.maxX) + grow) * inverseCell;
    const double y1 = (static_cast<double>(box.maxY) + grow) * inverseCell;
    // Written so that NaN fails too.
    const bool fits = x0 >= -kMaxCell && y0 >= -kMaxCell && x1 <= kMaxCell && y1 <= kMaxCell &&
                      x1 - x0 < kMaxCellsPerSide && y1 - y0 < kMaxCellsPerSide;
    if (!fits) {
        return false;
    }
    range = {CellOf(x0), CellOf(y0), CellOf(x1), CellOf(y1)};
    return true;
}

// Spreads cell coordinates over `mask` + 1 buckets (a power of two).
inline std::size_t CellBucket(std::int32_t x, std::int32_t y, std::size_t mask) {
    const std::uint64_t h =
        static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) * 0x9E3779B97F4A7C15ull ^
        static_cast<std::uint64_t>(static_cast<std::uint32_t>(y)) * 0xC2B2AE3D27D4EB4Full;
    return static_cast<std::size_t>(h >> 32) & mask;
}

// A power of two of at least `minimum` and at least twice `count`.
std::size_t BucketCountFor(std::size_t count, std::size_t minimum);

}  // namespace VelaEngine::Collision
