#include <GL/glew.h>

#include "platform/EBGfxDebug.h"
#include "platform/EBGfxRecorder.h"
#include "platform/EBGfxState.h"
#include "platform/EBGraphics.h"
#include "platform/EBMath.h"

using EBInternal::Emit;
using EBInternal::GlCommand;
using EBInternal::GlOp;
using EBInternal::Graphics;

namespace {
void SetIdentity(float m[16]) {
    for (int i = 0; i < 16; ++i) {
        m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
    }
}

void SetVec4(const char* name, float x, float y, float z, float w) {
    GlCommand command;
    command.op = GlOp::Uniform4f;
    command.name = name;
    command.f[0] = x;
    command.f[1] = y;
    command.f[2] = z;
    command.f[3] = w;
    Emit(command);
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
    EBInternal::EnsurePrograms();
    GlCommand use;
    use.op = GlOp::UseProgram;
    use.i[0] = static_cast<int32_t>(g.programs[mode]);
    Emit(use);
    g.currentSlot = mode;
    EBInternal::SetProjectionAndViewMatrices();
}

namespace EBInternal {
void EnsurePrograms() {
    GraphicsState& g = Graphics();
    if (g.programsBuilt) {
        return;
    }
    g.programsBuilt = true;
    BuildPrograms();
    // Both programs start untinted and opaque, so a texture drawn before any tint shows. This
    // goes straight to the GL, around the frame's kept commands, so the frame that happens to
    // build the programs holds the same commands as the next one.
    GLint running = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &running);
    for (const int slot : {2, 1}) {
        glUseProgram(g.programs[slot]);
        const GLint tint = glGetUniformLocation(g.programs[slot], "uTintColor");
        if (tint >= 0) {
            glUniform4f(tint, 1.0f, 1.0f, 1.0f, 1.0f);
        }
        const GLint transparency = glGetUniformLocation(g.programs[slot], "uTransparencyValue");
        if (transparency >= 0) {
            glUniform1f(transparency, 1.0f);
        }
    }
    glUseProgram(static_cast<GLuint>(running));
    CheckGLError(843, "EBGfxInit");
}
}  // namespace EBInternal

int EBGfxGetRenderMode() {
    return Graphics().currentSlot;
}

void EBGfxSetBlendMode(int mode) {
    if (!Graphics().ready || mode < 0 || mode > 2) {
        return;
    }
    GlCommand command;
    command.op = GlOp::Blend;
    command.i[0] = mode;
    Emit(command);
}

void EBGfxSetTransparency(float alpha) {
    GlCommand command;
    command.op = GlOp::Uniform1f;
    command.name = "uTransparencyValue";
    command.f[0] = alpha;
    Emit(command);
}

void EBGfxSetBlendColor(float r, float g, float b, float a) {
    SetVec4("uBlendColor", r, g, b, a);
    if (Graphics().ready) {
        GlCommand check;
        check.op = GlOp::CheckErrors;
        check.name = "EBGfxSetBlendColor";
        check.i[0] = 1325;
        Emit(check);
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
