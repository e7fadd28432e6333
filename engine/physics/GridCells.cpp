#include "engine/physics/GridCells.h"

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

bool CellRangeOf(const ShapeBounds& box, float grow, double inverseCell, CellRange& range) {
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

std::size_t BucketCountFor(std::size_t count, std::size_t minimum) {
    std::size_t buckets = minimum;
    while (buckets < count * 2) {
        buckets *= 2;
    }
    return buckets;
}

}  // namespace VelaEngine::Collision
