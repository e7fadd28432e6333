#include "engine/persistence/RecordPaths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace VelaEngine {

namespace {
std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

// Without either variable the player would otherwise save under the file system's root,
// which an ordinary account cannot write.
std::string AccountHome() {
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_dir == nullptr) {
        return "";
    }
    return found->pw_dir;
}
}  // namespace

std::string HomeFolder() {
    for (const char* name : {"HOME", "USERPROFILE"}) {
        std::string value = EnvironmentValue(name);
        if (!value.empty()) {
            return value;
        }
    }
    return AccountHome();
}

std::string DataFolderPath(const std::string& home, const std::string& folderName) {
    return home + "/VelaEngine/" + folderName;
}

std::string RecordFilePath(const std::string& dataFolder, const std::string& recordsFolder,
                           const std::string& title) {
    return dataFolder + "/" + recordsFolder + "/" + title + ".record";
}

}  // namespace VelaEngine
