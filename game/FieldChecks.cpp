#include "game/FieldChecks.h"

#include <string>

#include "engine/core/VEDebug.h"

namespace Game {

float PositiveField(const VelaEngine::FieldMap& fields, const char* component, const char* name,
                    float fallback) {
    const float value = fields.Get(name, fallback);
    // A zero speed or interval would freeze the hazard or fire every frame.
    if (!(value > 0.0f)) {
        VelaEngine::Fail(std::string(component) + " \"" + name + "\" must be more than 0, not \"" +
                         fields.Get(name, "") + "\"");
    }
    return value;
}

}  // namespace Game
