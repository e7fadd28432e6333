#include "platform/EBSystemState.h"

namespace EBInternal {

SystemState& System() {
    // Never destroyed: the engine's services close the window at exit, after other statics.
    static SystemState* state = new SystemState();
    return *state;
}

}  // namespace EBInternal
