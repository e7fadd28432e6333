#pragma once
// Where the per-user data lives. The pieces are joined with "/" and the separators inside the
// home folder are kept as they are.
#include <string>

namespace VelaEngine {

// "HOME" if set and not empty, else "USERPROFILE", else the account's home directory from the
// password database, else "".
std::string HomeFolder();

// home + "/VelaEngine/" + folderName
std::string DataFolderPath(const std::string& home, const std::string& folderName);

// dataFolder + "/" + recordsFolder + "/" + title + ".record"
std::string RecordFilePath(const std::string& dataFolder, const std::string& recordsFolder,
                           const std::string& title);

}  // namespace VelaEngine
