#include "engine/graphics/Mesh.h"

#include "engine/core/VEDebug.h"
#include "platform/EBGraphics.h"

namespace VelaEngine::Graphics {

namespace {
constexpr uint32_t kOpaqueWhite = 0xFFFFFFFF;
constexpr unsigned kTriangles = 3;
}  // namespace

void Mesh::Build() {
    Assert(built_ == nullptr, "Mesh is already built.");
    for (const Triangle& triangle : triangles_) {
        for (int i = 0; i < 3; ++i) {
            EBGfxVertexAdd(triangle.position[i].x, triangle.position[i].y, kOpaqueWhite,
                           triangle.uv[i].x, triangle.uv[i].y);
        }
    }
    built_ = EBGfxMeshEnd();
    Assert(built_ != nullptr, "Mesh cannot be built.");
}

void Mesh::Clear() {
    triangles_.clear();
    if (built_ != nullptr) {
        EBGfxMeshFree(built_);
        built_ = nullptr;
    }
}

void Mesh::Draw() const {
    if (built_ != nullptr) {
        EBGfxMeshDraw(built_, kTriangles);
    }
}

}  // namespace VelaEngine::Graphics
