#include "platform/EBDriverPin.h"

#ifdef FLEETWING_SANITIZE
#include <dlfcn.h>

#include <initializer_list>

void EBPinGraphicsDriver() {
    static bool pinned = false;
    if (pinned) {
        return;
    }
    pinned = true;
    // Libraries that are absent on a machine are simply not pinned.
    for (const char* library : {"libEGL_mesa.so.0", "libGLX_mesa.so.0", "libglapi.so.0",
                                "libgbm.so.1", "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so",
                                "/usr/lib/x86_64-linux-gnu/dri/kms_swrast_dri.so"}) {
        dlopen(library, RTLD_NOW | RTLD_GLOBAL | RTLD_NODELETE);
    }
}
#else
void EBPinGraphicsDriver() {}
#endif
