#pragma once
#include <string>

namespace VelaRun {

// The current scene and the engine's state as one JSON object.
std::string DumpScene(unsigned frame);
// Writes DumpScene to the file; false when it cannot be written.
bool WriteSceneDump(const std::string& path, unsigned frame);

}  // namespace VelaRun
