#include "tools/vela-run/ComponentDump.h"

#include "engine/entity/Component.h"
#include "engine/entity/VelaBehavior.h"
#include "tools/vela-run/DumpFields.h"

namespace VelaRun {

void DumpComponent(const VelaEngine::Component& component, JsonWriter& json) {
    json.Key("type");
    json.String(component.GetTypeName());
    if (dynamic_cast<const VelaEngine::VelaBehavior*>(&component) != nullptr) {
        BoolField(json, "enabled", component.IsEnabled());
        DumpFlightComponent(component, json) || DumpGameFlowComponent(component, json);
        return;
    }
    // Each family writes what it knows; the first that knows the component wins.
    DumpPhysicsComponent(component, json) || DumpAudioAnimationComponent(component, json) ||
        DumpGraphicsComponent(component, json);
}

}  // namespace VelaRun
