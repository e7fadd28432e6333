#pragma once
#include "tools/vela-run/JsonWriter.h"

namespace VelaEngine {
class Component;
}

namespace VelaRun {

// The state of images, animated images, canvases and particle systems; nothing for other
// components.
void DumpGraphics(const VelaEngine::Component& component, JsonWriter& json);

}  // namespace VelaRun
