#pragma once
#include <string>

namespace VelaEngine {

// True when `path`, after following links, names a regular file. Assets are only read from
// such files: a folder reads as empty, and a pipe or device can block or never end.
bool IsRegularFile(const std::string& path);

}  // namespace VelaEngine
