#include "engine/physics/ShapeBounds.h"

#include <algorithm>
#include <cmath>

namespace VelaEngine::Collision {

ShapeBounds RectBounds(const Matrix3x3& world, float w, float h) {
    const double hw = static_cast<double>(w) * 0.5;
    const double hh = static_cast<double>(h) * 0.5;
    // Face vectors: top U and right E; the other two are their opposites.
    const double ux = world.m[0][1] * hh;
    const double uy = world.m[1][1] * hh;
    const double ex = world.m[0][0] * hw;
    const double ey = world.m[1][0] * hw;
    double hx = std::fabs(ux) + std::fabs(ex);
    double hy = std::fabs(uy) + std::fabs(ey);
    double reach = 1.0;
    const double uu = ux * ux + uy * uy;
    const double ee = ex * ex + ey * ey;
    if (uu > 0.0 && ee > 0.0) {
        // The inside tests bound |(P − Z)·U| < U·U and |(P − Z)·E| < E·E: a parallelogram
        // with its sides across U and E, which equals the rectangle only when U ⟂ E.
        const double cross = ux * ey - uy * ex;
        const double sine = std::fabs(cross) / std::sqrt(uu * ee);
        if (!(sine >= BoundsDetail::kMinimumSine)) {
            return ShapeBounds();
        }
        const double ax = uu / cross * ey;
        const double ay = -uu / cross * ex;
        const double bx = -ee / cross * uy;
        const double by = ee / cross * ux;
        hx = std::max(hx, std::fabs(ax) + std::fabs(bx));
        hy = std::max(hy, std::fabs(ay) + std::fabs(by));
        // A face is touched within r of its line between the neighbouring faces' lines,
        // which meet it at this sine.
        reach = 1.0 / sine;
    }
    return BoundsDetail::Around(world.m[0][2], world.m[1][2], hx, hy, reach);
}

ShapeBounds Union(const ShapeBounds& a, const ShapeBounds& b) {
    ShapeBounds u;
    u.minX = std::min(a.minX, b.minX);
    u.minY = std::min(a.minY, b.minY);
    u.maxX = std::max(a.maxX, b.maxX);
    u.maxY = std::max(a.maxY, b.maxY);
    u.reach = std::max(a.reach, b.reach);
    u.bounded = a.bounded && b.bounded;
    return u;
}

}  // namespace VelaEngine::Collision
