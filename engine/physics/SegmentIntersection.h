#pragma once
#include "engine/scene/Vector2.h"

namespace VelaEngine::Collision {

// Closed segments a–b and c–d: touching ends and overlapping collinear pieces intersect.
// Sides are decided exactly, with no tolerance.
bool SegmentsIntersect(const Point2& a, const Point2& b, const Point2& c, const Point2& d);

}  // namespace VelaEngine::Collision
