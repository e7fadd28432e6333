#pragma once
#include <vector>

#include "engine/graphics/Triangle.h"

struct EBGfxVertexList;

namespace VelaEngine::Graphics {

// Triangles built once into GPU buffers, then drawn as they are.
class Mesh {
public:
    Mesh() = default;
    ~Mesh() { Clear(); }
    // The GPU buffers belong to one mesh only.
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;

    void AddTriangle(const Triangle& triangle) { triangles_.push_back(triangle); }
    // Uploads the triangles; building twice without a Clear is a fault.
    void Build();
    void Clear();
    void Draw() const;

    const std::vector<Triangle>& Triangles() const { return triangles_; }
    bool IsBuilt() const { return built_ != nullptr; }

private:
    std::vector<Triangle> triangles_;
    EBGfxVertexList* built_ = nullptr;
};

}  // namespace VelaEngine::Graphics
