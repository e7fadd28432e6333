#include "tools/vela-run/ComponentDump.h"

#include "engine/entity/Component.h"
#include "engine/entity/VelaBehavior.h"
#include "tools/vela-run/GraphicsDump.h"

namespace VelaRun {

void DumpComponent(const VelaEngine::Component& component, JsonWriter& json) {
    json.Key("type");
    json.String(component.GetTypeName());
    if (dynamic_cast<const VelaEngine::VelaBehavior*>(&component) != nullptr) {
        json.Key("enabled");
        json.Bool(component.IsEnabled());
    }
    DumpGraphics(component, json);
}

}  // namespace VelaRun
