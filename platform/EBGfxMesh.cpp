#include <GL/glew.h>

#include <cstdio>
#include <vector>

#include "platform/EBGfxDebug.h"
#include "platform/EBGfxRecorder.h"
#include "platform/EBGfxState.h"
#include "platform/EBGraphics.h"

using EBInternal::Graphics;
using EBInternal::StagingVertex;

namespace {
float Channel(uint32_t color, int byte) {
    return static_cast<float>((color >> (byte * 8)) & 0xFFu) / 255.0f;
}

void Upload(GLuint buffer, const std::vector<float>& data) {
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(data.size() * sizeof(float)),
                 data.empty() ? nullptr : data.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

bool DrawModeOf(unsigned mode, GLenum& glMode) {
    constexpr GLenum kModes[] = {GL_POINTS, GL_LINES, GL_LINE_STRIP, GL_TRIANGLES};
    if (mode >= 4) {
        return false;
    }
    glMode = kModes[mode];
    return true;
}

}  // namespace

void EBGfxTriListInitialize(EBGfxVertexList** list) {
    if (list != nullptr) {
        *list = new EBGfxVertexList{nullptr, 0};
    }
}

void EBGfxVertexAdd(float x, float y, uint32_t color, float u, float v) {
    Graphics().staging.push_back(StagingVertex{x, y, 0.0f, color, u, v});
}

void EBGfxTriAdd(float x0, float y0, uint32_t c0, float u0, float v0, float x1, float y1,
                 uint32_t c1, float u1, float v1, float x2, float y2, uint32_t c2, float u2,
                 float v2) {
    EBGfxVertexAdd(x0, y0, c0, u0, v0);
    EBGfxVertexAdd(x1, y1, c1, u1, v1);
    EBGfxVertexAdd(x2, y2, c2, u2, v2);
}

EBGfxVertexList* EBGfxMeshEnd() {
    std::vector<StagingVertex>& staging = Graphics().staging;
    auto* list =
        new EBGfxVertexList{new unsigned[3]{0, 0, 0}, static_cast<unsigned>(staging.size())};
    if (!Graphics().ready) {
        staging.clear();
        return list;
    }
    std::vector<float> positions, colors, coordinates;
    positions.reserve(staging.size() * 3);
    colors.reserve(staging.size() * 4);
    coordinates.reserve(staging.size() * 2);
    for (const StagingVertex& v : staging) {
        positions.insert(positions.end(), {v.x, v.y, v.z});
        colors.insert(colors.end(), {Channel(v.color, 2), Channel(v.color, 1), Channel(v.color, 0),
                                     Channel(v.color, 3)});
        coordinates.insert(coordinates.end(), {v.u, v.v});
    }
    EBInternal::DrawNow();
    glGenBuffers(3, list->buffers);
    Upload(list->buffers[0], positions);
    Upload(list->buffers[1], colors);
    Upload(list->buffers[2], coordinates);
    EBInternal::CheckGLError(1519, "EBGfxMeshEnd");
    staging.clear();
    return list;
}

void EBGfxMeshDraw(EBGfxVertexList* list, unsigned mode) {
    GLenum glMode = GL_POINTS;
    if (!DrawModeOf(mode, glMode)) {
        std::printf("Mesh Draw Mode %u is invalid!\n", mode);
        return;
    }
    const int slot = Graphics().currentSlot;
    if (list == nullptr || list->buffers == nullptr || (slot != 1 && slot != 2)) {
        return;
    }
    EBInternal::GlCommand draw;
    draw.op = EBInternal::GlOp::DrawBuffers;
    for (int i = 0; i < 3; ++i) {
        draw.i[i] = static_cast<int32_t>(list->buffers[i]);
    }
    draw.i[3] = static_cast<int32_t>(list->count);
    draw.spare = static_cast<int32_t>(glMode);
    draw.f[0] = static_cast<float>(slot);
    EBInternal::Emit(draw);
}

void EBGfxMeshFree(EBGfxVertexList* list) {
    if (list == nullptr) {
        return;
    }
    if (list->buffers != nullptr && Graphics().ready && !EBInternal::KeepingFreedObjects()) {
        EBInternal::DrawNow();
        glDeleteBuffers(3, list->buffers);
    }
    delete[] list->buffers;
    delete list;
}
