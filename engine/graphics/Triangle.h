#pragma once
#include "engine/scene/Vector2.h"

namespace VelaEngine::Graphics {

// Three corners and their texture coordinates.
struct Triangle {
    Point2 position[3];
    Point2 uv[3];

    Triangle() = default;
    Triangle(const Point2& p0, const Point2& uv0, const Point2& p1, const Point2& uv1,
             const Point2& p2, const Point2& uv2)
        : position{p0, p1, p2}, uv{uv0, uv1, uv2} {}
};

}  // namespace VelaEngine::Graphics
