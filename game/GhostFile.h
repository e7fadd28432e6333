#pragma once
// The ghost files beside the records, one per level, and their safe reading and writing.
#include <optional>
#include <string>

#include "game/GhostPath.h"

namespace Game {

// The records' folder + "/level" + level + ".ghost".
std::string GhostFilePath(int level);

// The level's ghost, or none: a file that is missing, unreadable or not a usable ghost of
// that level (its skin's picture included) is logged in one line and ignored.
std::optional<GhostPath> LoadGhost(int level);

// Replaces the level's ghost file whole; on failure the previous one stays and the reason
// is logged. True when the file was written.
bool SaveGhost(const GhostPath& path);

}  // namespace Game
