#pragma once
#include <memory>
#include <vector>

#include "engine/graphics/Triangle.h"

struct EBGfxVertexList;

namespace VelaEngine::Graphics {

// Triangles built once into GPU buffers, then drawn as they are.
class Mesh {
public:
    Mesh() = default;
    ~Mesh() { Clear(); }
    // GPU buffers are shared only through Adopt.
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;

    void AddTriangle(const Triangle& triangle) { triangles_.push_back(triangle); }
    void Reserve(std::size_t triangles) { triangles_.reserve(triangles); }
    // Uploads the triangles; building twice without a Clear is a fault.
    void Build();
    // Takes buffers built from the same triangles by another mesh instead of building them;
    // they are never written again, so sharing them changes no picture.
    void Adopt(std::shared_ptr<EBGfxVertexList> built);
    void Clear();
    void Draw() const;
    const std::shared_ptr<EBGfxVertexList>& Built() const { return built_; }

    const std::vector<Triangle>& Triangles() const { return triangles_; }
    bool IsBuilt() const { return built_ != nullptr; }

private:
    std::vector<Triangle> triangles_;
    std::shared_ptr<EBGfxVertexList> built_;
};

}  // namespace VelaEngine::Graphics
