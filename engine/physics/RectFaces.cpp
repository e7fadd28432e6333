#include "engine/physics/RectFaces.h"

namespace VelaEngine::Collision {

Vector2 MapDirection(const Matrix3x3& m, const Vector2& v) {
    return {m.m[0][0] * v.x + m.m[0][1] * v.y, m.m[1][0] * v.x + m.m[1][1] * v.y};
}

RectFaces MakeRectFaces(const Matrix3x3& world, float w, float h) {
    const float hw = w * 0.5f;
    const float hh = h * 0.5f;
    RectFaces rect;
    rect.centre = Point2(world.m[0][2], world.m[1][2]);
    rect.top = MapDirection(world, {0.0f, hh});
    rect.bottom = MapDirection(world, {0.0f, -hh});
    rect.left = MapDirection(world, {-hw, 0.0f});
    rect.right = MapDirection(world, {hw, 0.0f});
    return rect;
}

bool InsideFace(const Point2& point, const Point2& centre, const Vector2& face) {
    return (point - (centre + face)).Dot(face) < 0.0f;
}

bool HasZeroFace(const RectFaces& rect) {
    return rect.top.LengthSquared() == 0.0f || rect.bottom.LengthSquared() == 0.0f ||
           rect.left.LengthSquared() == 0.0f || rect.right.LengthSquared() == 0.0f;
}

}  // namespace VelaEngine::Collision
