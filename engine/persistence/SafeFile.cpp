#include "engine/persistence/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <vector>

#include "engine/scene/ValueText.h"

namespace VelaEngine {

namespace {
std::string Failure(const char* step) {
    return std::string(step) + ": " + std::strerror(errno);
}

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A replaced record keeps its permissions; a new one is readable by its owner's tools.
mode_t ModeFor(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        return info.st_mode & 07777;
    }
    return 0644;
}

bool WriteAll(int fd, const std::string& text) {
    const char* data = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const ssize_t written = write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// Makes the rename itself survive a power cut; a folder that cannot be synced still holds
// a complete file, so this is best effort.
void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

// Fills the temporary file; on failure the caller removes it.
std::string FillTemporary(int fd, const std::string& path, const std::string& text) {
    if (fchmod(fd, ModeFor(path)) != 0) {
        return Failure("cannot set the file's permissions");
    }
    if (!WriteAll(fd, text)) {
        return Failure("cannot write");
    }
    if (fsync(fd) != 0) {
        return Failure("cannot flush to disk");
    }
    return "";
}
}  // namespace

bool ReadFileText(const std::string& path, std::size_t maxBytes, std::string& out,
                  bool& truncated) {
    out.clear();
    truncated = false;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    std::vector<char> buffer(64 * 1024);
    while (out.size() < maxBytes) {
        const std::size_t want = std::min(buffer.size(), maxBytes - out.size());
        file.read(buffer.data(), static_cast<std::streamsize>(want));
        out.append(buffer.data(), static_cast<std::size_t>(file.gcount()));
        if (file.eof()) {
            return true;
        }
        if (!file) {
            out.clear();
            return false;
        }
    }
    truncated = file.peek() != std::char_traits<char>::eof();
    return true;
}

void CreateFoldersFor(const std::string& path) {
    const std::vector<std::string> pieces = SplitText(path, "/");
    std::string folder = path.starts_with('/') ? "/" : "";
    for (std::size_t i = 0; i + 1 < pieces.size(); ++i) {
        folder += pieces[i] + "/";
        if (!IsDirectory(folder)) {
            mkdir(folder.c_str(), 0777);
        }
    }
}

std::string WriteFileReplacing(const std::string& path, const std::string& text) {
    // A unique name, so two running games never write into the same temporary file.
    std::string pattern = path + ".XXXXXX";
    const int fd = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        return Failure("cannot create a temporary file");
    }
    std::string error = FillTemporary(fd, path, text);
    if (close(fd) != 0 && error.empty()) {
        error = Failure("cannot close");
    }
    if (error.empty() && rename(pattern.c_str(), path.c_str()) != 0) {
        error = Failure("cannot replace the file");
    }
    if (!error.empty()) {
        unlink(pattern.c_str());
        return error;
    }
    SyncFolder(FolderOf(path));
    return "";
}

}  // namespace VelaEngine
