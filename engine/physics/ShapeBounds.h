#pragma once
// Conservative world boxes for the contact tests: a pair whose boxes do not meet cannot
// touch, whatever the exact tests decide, so the broad phase may skip it.
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

// A circle's own contact tests measure from its centre with the radius unscaled.
ShapeBounds CircleBounds(const Point2& centre, float radius);
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
