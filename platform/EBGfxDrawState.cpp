#include <GL/glew.h>

#include "platform/EBGfxDebug.h"
#include "platform/EBGfxState.h"
#include "platform/EBGraphics.h"
#include "platform/EBMath.h"

using EBInternal::Graphics;

namespace {
void SetIdentity(float m[16]) {
    for (int i = 0; i < 16; ++i) {
        m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
    }
}

void SetVec4(const char* name, float x, float y, float z, float w) {
    const int location = EBInternal::UniformLocation(name);
    if (location >= 0) {
        glUniform4f(location, x, y, z, w);
    }
}
}  // namespace

void EBGfxSetRenderMode(int mode) {
    EBInternal::GraphicsState& g = Graphics();
    if (!g.ready || mode < 0 || mode > 2 || g.currentSlot == mode) {
        return;
    }
    if (mode == 0) {
        EBInternal::ReleaseProgram();
        return;
    }
    glUseProgram(g.programs[mode]);
    g.currentSlot = mode;
    EBInternal::SetProjectionAndViewMatrices();
}

int EBGfxGetRenderMode() {
    return Graphics().currentSlot;
}

void EBGfxSetBlendMode(int mode) {
    if (!Graphics().ready) {
        return;
    }
    switch (mode) {
        case 0:
            glDisable(GL_BLEND);
            break;
        case 1:
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            break;
        case 2:
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE);
            break;
        default:
            break;
    }
}

void EBGfxSetTransparency(float alpha) {
    const int location = EBInternal::UniformLocation("uTransparencyValue");
    if (location >= 0) {
        glUniform1f(location, alpha);
    }
}

void EBGfxSetBlendColor(float r, float g, float b, float a) {
    SetVec4("uBlendColor", r, g, b, a);
    if (Graphics().ready) {
        EBInternal::CheckGLError(1325, "EBGfxSetBlendColor");
    }
}

void EBGfxSetTintColor(float r, float g, float b, float a) {
    SetVec4("uTintColor", r, g, b, a);
}

void EBGfxSetPosition(float x, float y) {
    float* world = Graphics().positionWorld;
    SetIdentity(world);
    world[12] = x;
    world[13] = y;
    EBInternal::UploadMatrix("uWorldMatrix", world);
}

void EBGfxSetTransform(const float m[9]) {
    // A 2D affine matrix by rows becomes a column-major 4x4; its bottom row is not read.
    float* world = Graphics().transformWorld;
    SetIdentity(world);
    world[0] = m[0];
    world[1] = m[3];
    world[4] = m[1];
    world[5] = m[4];
    world[12] = m[2];
    world[13] = m[5];
    EBInternal::UploadMatrix("uWorldMatrix", world);
}

void EBGfxSetTransform3D(const Matrix4& m) {
    float* world = Graphics().transform3DWorld;
    const Matrix4 columnMajor = m.Transposed();
    for (int i = 0; i < 16; ++i) {
        world[i] = columnMajor.m[i];
    }
    EBInternal::UploadMatrix("uWorldMatrix", world);
}
