#include "engine/graphics/Quad.h"

namespace VelaEngine::Graphics {

void BuildQuad(Mesh& mesh, float width, float height, const QuadCoordinates& uv) {
    const float hw = width * 0.5f;
    const float hh = height * 0.5f;
    const Point2 bl(-hw, -hh), br(hw, -hh), tl(-hw, hh), tr(hw, hh);
    const Point2 uvBl(uv.uLeft, uv.vBottom), uvBr(uv.uRight, uv.vBottom);
    const Point2 uvTl(uv.uLeft, uv.vTop), uvTr(uv.uRight, uv.vTop);
    mesh.Clear();
    mesh.AddTriangle(Triangle(bl, uvBl, br, uvBr, tl, uvTl));
    mesh.AddTriangle(Triangle(br, uvBr, tr, uvTr, tl, uvTl));
    mesh.Build();
}

}  // namespace VelaEngine::Graphics
