#include <GL/glx.h>
#include <SDL2/SDL.h>

#include "platform/EBSystemState.h"

namespace EBInternal {

void ReadDrawableSize(int& width, int& height) {
    width = height = 0;
    // On X11 SDL takes a full-screen request as granted at once, though a desktop without a
    // window manager leaves the window as it was: ask the X server for the real size.
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (display != nullptr && drawable != 0) {
        unsigned w = 0;
        unsigned h = 0;
        glXQueryDrawable(display, drawable, GLX_WIDTH, &w);
        glXQueryDrawable(display, drawable, GLX_HEIGHT, &h);
        width = static_cast<int>(w);
        height = static_cast<int>(h);
    }
    if ((width <= 0 || height <= 0) && System().window != nullptr) {
        SDL_GL_GetDrawableSize(System().window, &width, &height);
    }
}

}  // namespace EBInternal
