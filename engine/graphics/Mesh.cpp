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
    EBGfxVertexList* built = EBGfxMeshEnd();
    Assert(built != nullptr, "Mesh cannot be built.");
    built_ = std::shared_ptr<EBGfxVertexList>(built, EBGfxMeshFree);
}

void Mesh::Adopt(std::shared_ptr<EBGfxVertexList> built) {
    Assert(built_ == nullptr, "Mesh is already built.");
    built_ = std::move(built);
}

void Mesh::Clear() {
    triangles_.clear();
    built_.reset();
}

void Mesh::Draw() const {
    if (built_ != nullptr) {
        EBGfxMeshDraw(built_.get(), kTriangles);
    }
}

}  // namespace VelaEngine::Graphics
