#include <GL/glew.h>

#include <cmath>
#include <vector>

#include "platform/EBGfxState.h"
#include "platform/EBGraphics.h"
#include "platform/EBMath.h"

namespace {
constexpr float kPi = 3.14159265f;

// Colour-mode geometry gathered on the side, never in the staging buffer.
struct Batch {
    std::vector<float> positions;
    std::vector<float> colors;

    void Add(float x, float y, float z, uint32_t color) {
        positions.insert(positions.end(), {x, y, z});
        colors.insert(colors.end(), {static_cast<float>((color >> 16) & 0xFFu) / 255.0f,
                                     static_cast<float>((color >> 8) & 0xFFu) / 255.0f,
                                     static_cast<float>(color & 0xFFu) / 255.0f,
                                     static_cast<float>((color >> 24) & 0xFFu) / 255.0f});
    }
    void Draw(unsigned glMode) const {
        // Immediate primitives draw in colour mode only.
        if (EBInternal::Graphics().currentSlot != 1) {
            return;
        }
        EBInternal::DrawClientArrays(glMode, positions.data(), colors.data(), nullptr,
                                     static_cast<int>(positions.size() / 3));
    }
};

uint32_t Pack(float r, float g, float b, float a) {
    const auto byte = [](float c) {
        return static_cast<uint32_t>(EBClamp(c, 0.0f, 1.0f) * 255.0f + 0.5f);
    };
    return byte(a) << 24 | byte(r) << 16 | byte(g) << 8 | byte(b);
}

void AddRing(Batch& batch, float x, float y, float z, float radius, float height, int segments,
             uint32_t color) {
    for (int i = 0; i < segments; ++i) {
        const float a0 = 2.0f * kPi * static_cast<float>(i) / static_cast<float>(segments);
        const float a1 = 2.0f * kPi * static_cast<float>(i + 1) / static_cast<float>(segments);
        batch.Add(x + radius * std::cos(a0), y + height, z + radius * std::sin(a0), color);
        batch.Add(x + radius * std::cos(a1), y + height, z + radius * std::sin(a1), color);
    }
}
}  // namespace

void EBGfxPoint(float x, float y, float z, uint32_t color) {
    Batch batch;
    batch.Add(x, y, z, color);
    batch.Draw(GL_POINTS);
}

void EBGfxLine(float x0, float y0, float z0, float r0, float g0, float b0, float a0, float x1,
               float y1, float z1, float r1, float g1, float b1, float a1) {
    Batch batch;
    batch.Add(x0, y0, z0, Pack(r0, g0, b0, a0));
    batch.Add(x1, y1, z1, Pack(r1, g1, b1, a1));
    batch.Draw(GL_LINES);
}

void EBGfxTri(float x0, float y0, float z0, uint32_t c0, float x1, float y1, float z1, uint32_t c1,
              float x2, float y2, float z2, uint32_t c2) {
    Batch batch;
    batch.Add(x0, y0, z0, c0);
    batch.Add(x1, y1, z1, c1);
    batch.Add(x2, y2, z2, c2);
    batch.Draw(GL_TRIANGLES);
}

void EBGfxQuad(float x0, float y0, float z0, uint32_t c0, float x1, float y1, float z1, uint32_t c1,
               float x2, float y2, float z2, uint32_t c2, float x3, float y3, float z3,
               uint32_t c3) {
    EBGfxTri(x0, y0, z0, c0, x1, y1, z1, c1, x2, y2, z2, c2);
    EBGfxTri(x0, y0, z0, c0, x2, y2, z2, c2, x3, y3, z3, c3);
}

void EBGfxBox(float x, float y, float z, float sizeX, float sizeY, float sizeZ, uint32_t color) {
    // The twelve edges of an axis-aligned box centred on (x, y, z).
    const float hx = sizeX * 0.5f, hy = sizeY * 0.5f, hz = sizeZ * 0.5f;
    const float corner[8][3] = {{-hx, -hy, -hz}, {hx, -hy, -hz}, {hx, hy, -hz}, {-hx, hy, -hz},
                                {-hx, -hy, hz},  {hx, -hy, hz},  {hx, hy, hz},  {-hx, hy, hz}};
    const int edges[12][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 5}, {5, 6},
                              {6, 7}, {7, 4}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
    Batch batch;
    for (const auto& edge : edges) {
        for (int end : edge) {
            batch.Add(x + corner[end][0], y + corner[end][1], z + corner[end][2], color);
        }
    }
    batch.Draw(GL_LINES);
}

void EBGfxSphere(float x, float y, float z, float radius, uint32_t color1, uint32_t color2,
                 int segments) {
    // Latitude rings from the bottom pole (colour 1) to the top pole (colour 2).
    segments = segments < 4 ? 4 : (segments > 32 ? 32 : segments);
    Batch batch;
    for (int ring = 1; ring < segments; ++ring) {
        const float t = static_cast<float>(ring) / static_cast<float>(segments);
        const float angle = kPi * (t - 0.5f);
        AddRing(batch, x, y, z, radius * std::cos(angle), radius * std::sin(angle), segments,
                EBGfxColInterp(color1, color2, t));
    }
    batch.Draw(GL_LINES);
}

void EBGfxAxis(float size) {
    EBGfxSphere(0.0f, 0.0f, 0.0f, 0.1f * size, 0xFF808080u, 0xFFFFFFFFu, 8);
    const float length = 0.8f * size;
    EBGfxLine(0, 0, 0, 1, 0, 0, 1, length, 0, 0, 1, 0, 0, 1);
    EBGfxLine(0, 0, 0, 0, 1, 0, 1, 0, length, 0, 0, 1, 0, 1);
    EBGfxLine(0, 0, 0, 0, 0, 1, 1, 0, 0, length, 0, 0, 1, 1);
}

uint32_t EBGfxColInterp(uint32_t color0, uint32_t color1, float t) {
    t = EBClamp(t, 0.0f, 1.0f);
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const float c0 = static_cast<float>((color0 >> shift) & 0xFFu);
        const float c1 = static_cast<float>((color1 >> shift) & 0xFFu);
        const float channel = EBClamp(c0 + (c1 - c0) * t + 0.5f, 0.0f, 255.0f);
        result |= static_cast<uint32_t>(channel) << shift;
    }
    return result;
}
