#include <GL/glew.h>
#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <cstdio>
#include <vector>

#include "platform/EBGfxDebug.h"
#include "platform/EBGfxRecorder.h"
#include "platform/EBGfxState.h"
#include "platform/EBGraphics.h"
#include "platform/EBSystemState.h"

using EBInternal::Graphics;
using EBInternal::System;

namespace {
bool CreateContext() {
    if (System().window == nullptr) {
        return false;
    }
    SDL_GLContext context = SDL_GL_CreateContext(System().window);
    if (context == nullptr) {
        return false;
    }
    Graphics().context = context;
    SDL_GL_MakeCurrent(System().window, context);
    // Some drivers refuse a swap interval; the engine paces frames itself anyway.
    SDL_GL_SetSwapInterval(1);
    return true;
}

void LoadEntryPoints() {
    const GLenum result = glewInit();
    // Under EGL, GLEW loads every entry point and then finds no GLX display: that is fine.
    if (result != GLEW_OK && result != GLEW_ERROR_NO_GLX_DISPLAY) {
        EBInternal::Halt(770, "EBGfxInit", "Mesg: fail to initialize GLEW!!");
    }
    // GLEW's own probing may leave an error flag behind; it is not ours to report.
    while (glGetError() != GL_NO_ERROR) {
    }
    if (!GLEW_VERSION_2_0) {
        EBInternal::Halt(773, "EBGfxInit", "Mesg: OpenGL 2.0 is not supported!!");
    }
}
}  // namespace

int EBGfxInit(int width, int height) {
    System().windowWidth = width;
    System().windowHeight = height;
    System().placement = EBPlacePicture(width, height, false, 0, 0);
    std::printf("Graphics: OpenGL\n");
    std::fflush(stdout);

    if (!CreateContext()) {
        return 0;
    }
    LoadEntryPoints();
    EBInternal::FitPictureToWindow(true);
    IMG_Init(IMG_INIT_PNG);

    EBInternal::GraphicsState& g = Graphics();
    g.staging.clear();
    g.staging.reserve(EBInternal::kInitialStagingVertices);
    g.camX = g.camY = 0.0f;
    EBInternal::UpdateWindowBounds();
    g.ready = true;
    g.currentSlot = 0;
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    EBInternal::CheckGLError(843, "EBGfxInit");
    return 1;
}

void EBGfxReset() {
    Graphics().staging.clear();
}

void EBGfxStart() {
    if (!Graphics().ready) {
        return;
    }
    // A window manager may size the window at any time, late after a full-screen switch too.
    EBInternal::FitPictureToWindow(false);
    EBInternal::BeginFrameRecord();
    EBInternal::GlCommand clear;
    clear.op = EBInternal::GlOp::Clear;
    clear.i[0] = GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT;
    EBInternal::Emit(clear);
    EBInternal::GlCommand viewport;
    viewport.op = EBInternal::GlOp::Viewport;
    viewport.i[2] = System().windowWidth;
    viewport.i[3] = System().windowHeight;
    EBInternal::Emit(viewport);
}

void EBGfxEnd() {
    if (!Graphics().ready) {
        return;
    }
    EBInternal::GlCommand check;
    check.op = EBInternal::GlOp::CheckErrors;
    check.name = "EBGfxEnd";
    check.i[0] = 1002;
    EBInternal::Emit(check);
    EBInternal::ReleaseProgram();
    check.i[0] = 1005;
    EBInternal::Emit(check);
    // The same commands as the picture on screen would draw that picture again: the window
    // keeps showing it, and the back buffer (an older picture) stays unshown.
    if (EBInternal::EndFrameRecord()) {
        return;
    }
    glFinish();
    SDL_GL_SwapWindow(System().window);
    EBInternal::CountShownFrame();
}

void EBGfxExit() {
    EBInternal::ShutDownGraphics();
}

void EBGfxSetBackgroundColor(float r, float g, float b) {
    if (Graphics().ready) {
        EBInternal::GlCommand color;
        color.op = EBInternal::GlOp::ClearColor;
        color.f[0] = r;
        color.f[1] = g;
        color.f[2] = b;
        color.f[3] = 1.0f;
        EBInternal::Emit(color);
    }
}

bool EBGfxReadPixels(int x, int y, int width, int height, unsigned char* rgba) {
    if (!Graphics().ready || rgba == nullptr || width <= 0 || height <= 0) {
        return false;
    }
    // What the frame kept is drawn first, and the frame is then shown, so the pixels read are
    // the ones the window gets.
    EBInternal::DrawNow();
    // GL counts rows from the bottom of the surface; callers count from the top.
    const int surfaceHeight = System().placement.surfaceHeight;
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    std::vector<unsigned char> bottomUp(rowBytes * static_cast<size_t>(height));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, surfaceHeight - y - height, width, height, GL_RGBA, GL_UNSIGNED_BYTE,
                 bottomUp.data());
    for (int row = 0; row < height; ++row) {
        const unsigned char* source = bottomUp.data() + rowBytes * (height - 1 - row);
        std::copy(source, source + rowBytes, rgba + rowBytes * row);
    }
    return true;
}

namespace EBInternal {

void ShutDownGraphics() {
    GraphicsState& g = Graphics();
    ResetFrameRecord();
    if (g.ready) {
        CloseFonts();
        DestroyPrograms();
        IMG_Quit();
    }
    if (g.context != nullptr) {
        SDL_GL_DeleteContext(static_cast<SDL_GLContext>(g.context));
    }
    g = GraphicsState{};
}

}  // namespace EBInternal
