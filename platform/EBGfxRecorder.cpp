#include "platform/EBGfxRecorder.h"

#include <GL/glew.h>
#include <SDL2/SDL.h>

#include "platform/EBGfxDebug.h"
#include "platform/EBGfxState.h"
#include "platform/EBGraphics.h"
#include "platform/EBSystemState.h"

namespace EBInternal {

namespace {

struct FrameRecord {
    bool enabled = true;
    bool inFrame = false;
    // The frame's commands are kept, not run; once off, the rest of the frame runs at once
    // (and is still listed, for ShownCommands).
    bool recording = false;
    bool shownValid = false;
    // Nothing this frame was drawn at once, so its list alone makes its picture.
    bool wholeFrameKept = false;
    std::vector<GlCommand> current;
    std::vector<GlCommand> shown;
};

FrameRecord& Record() {
    static FrameRecord* record = new FrameRecord();
    return *record;
}

// The program the GL runs now, which lags the frame's own while commands are kept.
GLuint g_running = 0;

int Location(const char* name) {
    return g_running != 0 ? glGetUniformLocation(g_running, name) : -1;
}

int BindAttribute(const char* name, GLuint buffer, int size) {
    const int location = g_running != 0 ? glGetAttribLocation(g_running, name) : -1;
    if (location < 0) {
        return -1;
    }
    glEnableVertexAttribArray(static_cast<GLuint>(location));
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glVertexAttribPointer(static_cast<GLuint>(location), size, GL_FLOAT, GL_FALSE, 0, nullptr);
    return location;
}

void Unbind(int location) {
    if (location >= 0) {
        glDisableVertexAttribArray(static_cast<GLuint>(location));
    }
}

void Run(const GlCommand& c) {
    switch (c.op) {
        case GlOp::UseProgram:
            g_running = static_cast<GLuint>(c.i[0]);
            glUseProgram(g_running);
            break;
        case GlOp::Uniform1f:
            if (const int at = Location(c.name); at >= 0) {
                glUniform1f(at, c.f[0]);
            }
            break;
        case GlOp::Uniform1i:
            if (const int at = Location(c.name); at >= 0) {
                glUniform1i(at, c.i[0]);
            }
            break;
        case GlOp::Uniform2f:
            if (const int at = Location(c.name); at >= 0) {
                glUniform2f(at, c.f[0], c.f[1]);
            }
            break;
        case GlOp::Uniform4f:
            if (const int at = Location(c.name); at >= 0) {
                glUniform4f(at, c.f[0], c.f[1], c.f[2], c.f[3]);
            }
            break;
        case GlOp::UniformMatrix:
            if (const int at = Location(c.name); at >= 0) {
                glUniformMatrix4fv(at, 1, GL_FALSE, c.f);
            }
            break;
        case GlOp::Viewport:
            glViewport(c.i[0], c.i[1], c.i[2], c.i[3]);
            break;
        case GlOp::Clear:
            glClear(static_cast<GLbitfield>(c.i[0]));
            break;
        case GlOp::ClearColor:
            glClearColor(c.f[0], c.f[1], c.f[2], c.f[3]);
            break;
        case GlOp::Blend:
            if (c.i[0] == 0) {
                glDisable(GL_BLEND);
            } else {
                glEnable(GL_BLEND);
                glBlendFunc(GL_SRC_ALPHA, c.i[0] == 1 ? GL_ONE_MINUS_SRC_ALPHA : GL_ONE);
            }
            break;
        case GlOp::BindTexture:
            if (c.i[1] != 0) {
                glActiveTexture(GL_TEXTURE0);
            }
            glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(c.i[0]));
            break;
        case GlOp::TextureFilter:
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, c.i[0]);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, c.i[0]);
            break;
        case GlOp::DrawBuffers: {
            const int position = BindAttribute("aPosition", static_cast<GLuint>(c.i[0]), 3);
            const int extra =
                c.f[0] == 1.0f
                    ? BindAttribute("aColor", static_cast<GLuint>(c.i[1]), 4)
                    : BindAttribute("aTextureCoordinate", static_cast<GLuint>(c.i[2]), 2);
            glDrawArrays(static_cast<GLenum>(c.spare), 0, static_cast<GLsizei>(c.i[3]));
            Unbind(extra);
            Unbind(position);
            glBindBuffer(GL_ARRAY_BUFFER, 0);
            break;
        }
        case GlOp::CheckErrors:
            CheckGLError(c.i[0], c.name);
            break;
    }
}

void RunKept() {
    FrameRecord& r = Record();
    r.recording = false;
    for (const GlCommand& command : r.current) {
        Run(command);
    }
}

}  // namespace

void Emit(const GlCommand& command) {
    FrameRecord& r = Record();
    if (!r.recording && Graphics().ready) {
        Run(command);
    }
    if (r.inFrame) {
        r.current.push_back(command);
    } else {
        // GL state changed between frames (a clear colour, say) is in no frame's list.
        r.shownValid = false;
    }
}

void DrawNow() {
    FrameRecord& r = Record();
    if (r.recording) {
        RunKept();
    }
    r.shownValid = false;
    r.wholeFrameKept = false;
}

void ForgetShownFrame() {
    Record().shownValid = false;
}

void ResetFrameRecord() {
    FrameRecord& r = Record();
    r.recording = false;
    r.inFrame = false;
    r.shownValid = false;
    r.current.clear();
    r.shown.clear();
    g_running = 0;
}

void BeginFrameRecord() {
    FrameRecord& r = Record();
    r.current.clear();
    r.inFrame = true;
    r.recording = r.enabled;
    r.wholeFrameKept = r.enabled;
}

bool EndFrameRecord() {
    FrameRecord& r = Record();
    r.inFrame = false;
    if (r.recording && r.shownValid && r.current == r.shown) {
        r.recording = false;
        return true;
    }
    if (r.recording) {
        RunKept();
    }
    r.shown.swap(r.current);
    r.shownValid = r.wholeFrameKept;
    return false;
}

unsigned g_framesShown = 0;
bool g_keepFreedObjects = false;

void KeepFreedObjects(bool keep) {
    g_keepFreedObjects = keep;
}

bool KeepingFreedObjects() {
    return g_keepFreedObjects;
}

unsigned FramesShown() {
    return g_framesShown;
}

void CountShownFrame() {
    ++g_framesShown;
}

const std::vector<GlCommand>& ShownCommands() {
    return Record().shown;
}

void DrawAndShow(const std::vector<GlCommand>& commands) {
    for (const GlCommand& command : commands) {
        Run(command);
    }
    glFinish();
    SDL_GL_SwapWindow(System().window);
    CountShownFrame();
    Record().shownValid = false;
}

}  // namespace EBInternal

void EBGfxSetSkipUnchangedFrames(bool skip) {
    EBInternal::FrameRecord& r = EBInternal::Record();
    EBInternal::DrawNow();
    r.enabled = skip;
}
