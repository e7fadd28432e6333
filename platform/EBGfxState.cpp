#include "platform/EBGfxState.h"

#include <GL/glew.h>

#include "platform/EBGfxRecorder.h"

namespace EBInternal {

GraphicsState& Graphics() {
    // Never destroyed: the engine's services close the window at exit, after other statics.
    static GraphicsState* state = new GraphicsState();
    return *state;
}

namespace {
GLuint CurrentProgram() {
    const GraphicsState& g = Graphics();
    if (!g.ready || g.currentSlot <= 0 || g.currentSlot > 2) {
        return 0;
    }
    return g.programs[g.currentSlot];
}
}  // namespace

// Looked up on every use: nothing is cached across program switches.
int UniformLocation(const char* name) {
    const GLuint program = CurrentProgram();
    return program != 0 ? glGetUniformLocation(program, name) : -1;
}

int AttributeLocation(const char* name) {
    const GLuint program = CurrentProgram();
    return program != 0 ? glGetAttribLocation(program, name) : -1;
}

void UploadMatrix(const char* name, const float columnMajor[16]) {
    GlCommand command;
    command.op = GlOp::UniformMatrix;
    command.name = name;
    for (int i = 0; i < 16; ++i) {
        command.f[i] = columnMajor[i];
    }
    Emit(command);
}

void ReleaseProgram() {
    GraphicsState& g = Graphics();
    if (g.ready) {
        GlCommand command;
        command.op = GlOp::UseProgram;
        Emit(command);
    }
    g.currentSlot = 0;
}

}  // namespace EBInternal
