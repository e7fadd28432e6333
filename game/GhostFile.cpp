#include "game/GhostFile.h"

#include "engine/core/VEDebug.h"
#include "engine/persistence/Records.h"
#include "engine/persistence/SafeFile.h"
#include "game/SavedValues.h"

namespace Game {

using namespace VelaEngine;

std::string GhostFilePath(int level) {
    const std::string records = Records::Get().GetFilePath();
    const std::size_t slash = records.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : records.substr(0, slash);
    return folder + "/level" + std::to_string(level) + ".ghost";
}

std::optional<GhostPath> LoadGhost(int level) {
    const std::string file = GhostFilePath(level);
    std::string text;
    std::string problem;
    const ReadOutcome outcome = ReadFileText(file, kMaxGhostFileBytes, text, problem);
    if (outcome == ReadOutcome::Missing) {
        Log("No ghost for level " + std::to_string(level) + ": " + file + " is missing");
        return std::nullopt;
    }
    GhostPath path;
    if (outcome == ReadOutcome::Incomplete || !ParseGhostPath(text, level, path, problem)) {
        Log("Ghost file " + file + " ignored: " + problem);
        return std::nullopt;
    }
    if (!SkinPictureExists(path.skin)) {
        Log("Ghost file " + file + " ignored: skin " + std::to_string(path.skin) +
            " has no picture");
        return std::nullopt;
    }
    return path;
}

bool SaveGhost(const GhostPath& path) {
    const std::string file = GhostFilePath(path.level);
    CreateFoldersFor(file);
    const std::string error = WriteFileReplacing(file, FormatGhostPath(path));
    if (!error.empty()) {
        Log("Ghost file " + file + " not saved: " + error);
        return false;
    }
    return true;
}

}  // namespace Game
