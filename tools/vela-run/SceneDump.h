#pragma once
#include <string>

namespace VelaRun {

// The current scene and the engine's state as one JSON object.
std::string DumpScene(unsigned frame);

}  // namespace VelaRun
