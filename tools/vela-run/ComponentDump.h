#pragma once
#include "tools/vela-run/JsonWriter.h"

namespace VelaEngine {
class Component;
}

namespace VelaRun {

// Writes the keys of one component's state into the open JSON object: its "type" and
// whatever that kind of component shows of itself.
void DumpComponent(const VelaEngine::Component& component, JsonWriter& json);

// One family of components each; true when the component was theirs.
bool DumpPhysicsComponent(const VelaEngine::Component& component, JsonWriter& json);
bool DumpAudioAnimationComponent(const VelaEngine::Component& component, JsonWriter& json);
bool DumpGraphicsComponent(const VelaEngine::Component& component, JsonWriter& json);
// Behaviours of the level flow and the menus; written after their "enabled".
bool DumpGameFlowComponent(const VelaEngine::Component& component, JsonWriter& json);
// The plane, the cursor fan and the scenery layers that show the flight; written after
// their "enabled".
bool DumpFlightComponent(const VelaEngine::Component& component, JsonWriter& json);

}  // namespace VelaRun
