#include "platform/EBSystemState.h"

namespace EBInternal {

SystemState& System() {
    static SystemState state;
    return state;
}

}  // namespace EBInternal
