#pragma once
#include <string>

namespace VelaRun {

// Writes the picture drawn so far (1600 x 900) as PNG; false when it cannot be read or written.
bool WriteScreenshot(const std::string& path);

}  // namespace VelaRun
