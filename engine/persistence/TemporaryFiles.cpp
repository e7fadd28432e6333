#include "engine/persistence/TemporaryFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace VelaEngine {

namespace {
// mkostemp's six replaced characters.
constexpr const char* kPattern = "XXXXXX";
constexpr std::size_t kUniquePart = 6;
constexpr int kAttempts = 8;

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// `name` is `prefix` followed by the six letters and digits mkostemp puts there.
bool IsTemporaryName(const std::string& name, const std::string& prefix) {
    if (name.size() != prefix.size() + kUniquePart || !name.starts_with(prefix)) {
        return false;
    }
    for (std::size_t i = prefix.size(); i < name.size(); ++i) {
        if (std::isalnum(static_cast<unsigned char>(name[i])) == 0) {
            return false;
        }
    }
    return true;
}

void RemoveIfAbandoned(const std::string& file) {
    const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) {
        return;
    }
    struct stat info {};
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0) {
        unlink(file.c_str());
    }
    close(fd);
}

// A cleaner may have locked the new file as stale before this save could; that file is then
// on its way out. Where the file system has no locks the save goes on without one.
bool OwnsNewFile(int fd) {
    if (flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        return false;
    }
    struct stat info {};
    return fstat(fd, &info) == 0 && info.st_nlink > 0;
}
}  // namespace

int CreateTemporaryBeside(const std::string& path, std::string& name) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        name = path + "." + kPattern;
        const int fd = mkostemp(name.data(), O_CLOEXEC);
        if (fd < 0) {
            return -1;
        }
        if (OwnsNewFile(fd)) {
            return fd;
        }
        close(fd);
    }
    errno = EAGAIN;
    return -1;
}

void RemoveStaleTemporaries(const std::string& path) {
    const std::string folder = FolderOf(path);
    const std::string prefix = BaseNameOf(path) + ".";
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    while (const dirent* entry = readdir(dir)) {
        if (IsTemporaryName(entry->d_name, prefix)) {
            RemoveIfAbandoned(folder + "/" + entry->d_name);
        }
    }
    closedir(dir);
}

}  // namespace VelaEngine
