#include <GL/glew.h>

#include "platform/EBGfxRecorder.h"
#include "platform/EBGfxState.h"

namespace EBInternal {

namespace {
int BindClientArray(const char* name, int size, const float* data) {
    const int location = data != nullptr ? AttributeLocation(name) : -1;
    if (location < 0) {
        return -1;
    }
    glEnableVertexAttribArray(static_cast<GLuint>(location));
    glVertexAttribPointer(static_cast<GLuint>(location), size, GL_FLOAT, GL_FALSE, 0, data);
    return location;
}

void UnbindClientArray(int location) {
    if (location >= 0) {
        glDisableVertexAttribArray(static_cast<GLuint>(location));
    }
}
}  // namespace

void DrawClientArrays(unsigned glMode, const float* positions, const float* colors,
                      const float* coordinates, int count) {
    const int slot = Graphics().currentSlot;
    if (count <= 0 || (slot != 1 && slot != 2)) {
        return;
    }
    // Client memory is gone after the call: these draw at once.
    DrawNow();
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    const int position = BindClientArray("aPosition", 3, positions);
    const int extra = slot == 1 ? BindClientArray("aColor", 4, colors)
                                : BindClientArray("aTextureCoordinate", 2, coordinates);
    glDrawArrays(glMode, 0, count);
    UnbindClientArray(extra);
    UnbindClientArray(position);
}

}  // namespace EBInternal
