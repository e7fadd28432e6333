#pragma once
// A rectangle placed in the world, described by its centre and the four vectors from the
// centre to the middles of its faces: each points outwards and is as long as the distance
// to its face.
#include "engine/entity/Matrix3x3.h"
#include "engine/scene/Vector2.h"

namespace VelaEngine::Collision {

struct RectFaces {
    Point2 centre;
    Vector2 top;
    Vector2 bottom;
    Vector2 left;
    Vector2 right;

    Point2 TopLeft() const { return centre + top + left; }
    Point2 TopRight() const { return centre + top + right; }
    Point2 BottomLeft() const { return centre + bottom + left; }
    Point2 BottomRight() const { return centre + bottom + right; }
};

// The matrix's rotation and scale applied to a direction; its translation is left out.
Vector2 MapDirection(const Matrix3x3& m, const Vector2& v);

// A w × h rectangle centred on the origin of `world`, turning and scaling with it.
RectFaces MakeRectFaces(const Matrix3x3& world, float w, float h);

// Whether `point` lies on the inner side of the line through the face's middle (strictly).
bool InsideFace(const Point2& point, const Point2& centre, const Vector2& face);

// A rectangle with no width or no height has a face of length 0, which has no direction.
bool HasZeroFace(const RectFaces& rect);

}  // namespace VelaEngine::Collision
