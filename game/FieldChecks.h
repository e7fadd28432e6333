#pragma once
// Optional tuning fields of the hazards: absent, they keep the hazard's usual value; present,
// they must be a positive number, or the scene is in error.
#include "engine/scene/FieldMap.h"

namespace Game {

// "name" of `component` when the scene sets it, `fallback` otherwise; a value of 0 or less
// (or not a number) ends the run with a message naming the component and field.
float PositiveField(const VelaEngine::FieldMap& fields, const char* component, const char* name,
                    float fallback);

}  // namespace Game
