#include "engine/graphics/Quad.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <map>
#include <memory>

#include "platform/EBGraphics.h"

namespace VelaEngine::Graphics {

namespace {
// Quads of one size and one set of coordinates are the same vertices: a level's many images
// of a size draw from one set of GPU buffers. Keys are the numbers' bits, so every value
// (NaN too) is a key of its own.
using QuadKey = std::array<uint32_t, 6>;

std::map<QuadKey, std::weak_ptr<EBGfxVertexList>>& BuiltQuads() {
    static auto* quads = new std::map<QuadKey, std::weak_ptr<EBGfxVertexList>>();
    return *quads;
}

QuadKey KeyOf(float width, float height, const QuadCoordinates& uv) {
    return {std::bit_cast<uint32_t>(width),    std::bit_cast<uint32_t>(height),
            std::bit_cast<uint32_t>(uv.uLeft), std::bit_cast<uint32_t>(uv.uRight),
            std::bit_cast<uint32_t>(uv.vTop),  std::bit_cast<uint32_t>(uv.vBottom)};
}

void ForgetFreedQuads() {
    auto& quads = BuiltQuads();
    for (auto it = quads.begin(); it != quads.end();) {
        it = it->second.expired() ? quads.erase(it) : std::next(it);
    }
}
}  // namespace

void BuildQuad(Mesh& mesh, float width, float height, const QuadCoordinates& uv) {
    const float hw = width * 0.5f;
    const float hh = height * 0.5f;
    const Point2 bl(-hw, -hh), br(hw, -hh), tl(-hw, hh), tr(hw, hh);
    const Point2 uvBl(uv.uLeft, uv.vBottom), uvBr(uv.uRight, uv.vBottom);
    const Point2 uvTl(uv.uLeft, uv.vTop), uvTr(uv.uRight, uv.vTop);
    mesh.Clear();
    mesh.Reserve(2);
    mesh.AddTriangle(Triangle(bl, uvBl, br, uvBr, tl, uvTl));
    mesh.AddTriangle(Triangle(br, uvBr, tr, uvTr, tl, uvTl));
    std::weak_ptr<EBGfxVertexList>& shared = BuiltQuads()[KeyOf(width, height, uv)];
    if (std::shared_ptr<EBGfxVertexList> built = shared.lock()) {
        mesh.Adopt(std::move(built));
        return;
    }
    mesh.Build();
    // Buffers made without a GL context hold nothing a later context could draw.
    if (mesh.Built() != nullptr && mesh.Built()->buffers != nullptr &&
        mesh.Built()->buffers[0] != 0) {
        shared = mesh.Built();
    }
    // Freed quads leave their keys behind; they are swept when the keys double.
    static std::size_t sweepAt = 256;
    if (BuiltQuads().size() > sweepAt) {
        ForgetFreedQuads();
        sweepAt = std::max<std::size_t>(256, 2 * BuiltQuads().size());
    }
}

}  // namespace VelaEngine::Graphics
