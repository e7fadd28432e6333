#include "engine/physics/SegmentIntersection.h"

#include <algorithm>

namespace VelaEngine::Collision {

namespace {
// -1, 0 or +1: the side of p relative to the line from `from` to `to`. The two terms of the
// cross product are compared rather than subtracted, so equal terms give exactly 0.
int Side(const Point2& from, const Point2& to, const Point2& p) {
    const float turnLeft = (to.x - from.x) * (p.y - from.y);
    const float turnRight = (to.y - from.y) * (p.x - from.x);
    if (turnLeft > turnRight) {
        return 1;
    }
    return turnLeft < turnRight ? -1 : 0;
}

bool Opposite(int s1, int s2) {
    return s1 != 0 && s2 != 0 && s1 != s2;
}

// p within the bounding box of a–b, ends included.
bool WithinBox(const Point2& a, const Point2& b, const Point2& p) {
    return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
           p.y <= std::max(a.y, b.y);
}
}  // namespace

bool SegmentsIntersect(const Point2& a, const Point2& b, const Point2& c, const Point2& d) {
    const int o1 = Side(c, d, a);
    const int o2 = Side(c, d, b);
    const int o3 = Side(a, b, c);
    const int o4 = Side(a, b, d);
    if (Opposite(o1, o2) && Opposite(o3, o4)) {
        return true;
    }
    return (o1 == 0 && WithinBox(c, d, a)) || (o2 == 0 && WithinBox(c, d, b)) ||
           (o3 == 0 && WithinBox(a, b, c)) || (o4 == 0 && WithinBox(a, b, d));
}

}  // namespace VelaEngine::Collision
