#pragma once
// The temporary files a save writes beside its target before renaming them over it. Each is
// locked while its save runs, so one whose lock is free was left by a process that died.
#include <string>

namespace VelaEngine {

// Creates and locks a new, empty temporary file beside `path`; `name` becomes its path.
// Returns its descriptor, or -1 with errno set.
int CreateTemporaryBeside(const std::string& path, std::string& name);

// Removes the temporary files beside `path` that no running save holds.
void RemoveStaleTemporaries(const std::string& path);

}  // namespace VelaEngine
