#pragma once
// Conservative world boxes for the contact tests: a pair whose boxes do not meet cannot
// touch, whatever the exact tests decide, so the broad phase may skip it.
#include <algorithm>
#include <cmath>

#include "engine/entity/Matrix3x3.h"
#include "engine/scene/Vector2.h"

namespace VelaEngine::Collision {

struct ShapeBounds {
    float minX = 0.0f;
    float minY = 0.0f;
    float maxX = 0.0f;
    float maxY = 0.0f;
    // A circle of radius r touches this shape only inside the box grown by r × reach: 1 for
    // circles and upright rectangles, more for rectangles sheared by their parents.
    float reach = 1.0f;
    // False when no safe box exists (non-finite placement, a strongly sheared rectangle):
    // such a shape is tested against everything.
    bool bounded = false;
};

namespace BoundsDetail {
// Far below the 0.5 shear limit's effect on any box, yet well above the few units in the
// last place by which the exact tests' single-precision sums differ from these.
constexpr double kRelativeMargin = 1e-4;
constexpr double kAbsoluteMargin = 1e-4;
// Sides this far from square would need a box many times the rectangle's size.
constexpr double kMinimumSine = 0.5;

// Centre ± half extents, widened by the rounding margin; unbounded unless all finite.
inline ShapeBounds Around(double cx, double cy, double hx, double hy, double reach) {
    ShapeBounds bounds;
    const double margin =
        kAbsoluteMargin + kRelativeMargin * (std::max(std::fabs(cx), std::fabs(cy)) + hx + hy);
    bounds.minX = static_cast<float>(cx - hx - margin);
    bounds.maxX = static_cast<float>(cx + hx + margin);
    bounds.minY = static_cast<float>(cy - hy - margin);
    bounds.maxY = static_cast<float>(cy + hy + margin);
    bounds.reach = static_cast<float>(reach * (1.0 + kRelativeMargin));
    bounds.bounded = std::isfinite(bounds.minX) && std::isfinite(bounds.maxX) &&
                     std::isfinite(bounds.minY) && std::isfinite(bounds.maxY) &&
                     std::isfinite(bounds.reach);
    return bounds;
}
}  // namespace BoundsDetail

// A circle's own contact tests measure from its centre with the radius unscaled. Inline:
// every moving circle and every query asks for one each frame.
inline ShapeBounds CircleBounds(const Point2& centre, float radius) {
    // A negative radius still reaches |radius| through the squared comparisons.
    const double r = std::fabs(static_cast<double>(radius));
    return BoundsDetail::Around(centre.x, centre.y, r, r, 1.0);
}

// Centres whose CircleBounds(centre, 0) certainly lie inside `region`: the region shrunk by
// twice the largest margin any centre in it gets, which leaves room for every rounding.
// Empty (min above max) when the region is too small; unbounded when it is.
inline ShapeBounds CentresInside(const ShapeBounds& region) {
    using namespace BoundsDetail;
    const double largest = std::max(std::max(std::fabs(static_cast<double>(region.minX)),
                                             std::fabs(static_cast<double>(region.maxX))),
                                    std::max(std::fabs(static_cast<double>(region.minY)),
                                             std::fabs(static_cast<double>(region.maxY))));
    const double margin = 2.0 * (kAbsoluteMargin + kRelativeMargin * largest);
    ShapeBounds inner;
    inner.minX = static_cast<float>(region.minX + margin);
    inner.maxX = static_cast<float>(region.maxX - margin);
    inner.minY = static_cast<float>(region.minY + margin);
    inner.maxY = static_cast<float>(region.maxY - margin);
    inner.bounded = region.bounded && std::isfinite(margin);
    return inner;
}

// Everything a w × h rectangle placed by `world` can count as touching: its corners and the
// region its face tests call inside, which a shear stretches beyond the corners.
ShapeBounds RectBounds(const Matrix3x3& world, float w, float h);

// The smallest box holding both.
ShapeBounds Union(const ShapeBounds& a, const ShapeBounds& b);
// Whether `a` grown by `grow` on every side meets `b`.
inline bool Overlaps(const ShapeBounds& a, float grow, const ShapeBounds& b) {
    return a.minX - grow <= b.maxX && b.minX <= a.maxX + grow && a.minY - grow <= b.maxY &&
           b.minY <= a.maxY + grow;
}

}  // namespace VelaEngine::Collision
