#include "engine/persistence/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "engine/persistence/TemporaryFiles.h"
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

ReadOutcome ReadOpenFile(int fd, std::size_t maxBytes, std::string& out, std::string& problem) {
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        problem = Failure("cannot inspect");
        return ReadOutcome::Incomplete;
    }
    if (!S_ISREG(info.st_mode)) {
        problem = "not a regular file";
        return ReadOutcome::Incomplete;
    }
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        const ssize_t got = read(fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            problem = Failure("cannot read");
            return ReadOutcome::Incomplete;
        }
        if (got == 0) {
            return ReadOutcome::Whole;
        }
        const auto count = static_cast<std::size_t>(got);
        if (count > maxBytes - out.size()) {
            out.append(buffer.data(), maxBytes - out.size());
            problem = "larger than " + std::to_string(maxBytes) + " bytes";
            return ReadOutcome::Incomplete;
        }
        out.append(buffer.data(), count);
    }
}

// A line cut by the stop would read as a different value.
void KeepWholeLines(std::string& text) {
    const std::size_t lastEnd = text.rfind('\n');
    text.erase(lastEnd == std::string::npos ? 0 : lastEnd + 1);
}
}  // namespace

ReadOutcome ReadFileText(const std::string& path, std::size_t maxBytes, std::string& out,
                         std::string& problem) {
    out.clear();
    problem.clear();
    // Without O_NONBLOCK a pipe in the file's place would wait for a writer forever.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        // A file in place of a folder on the way means no record can be there either.
        if (errno == ENOENT || errno == ENOTDIR) {
            return ReadOutcome::Missing;
        }
        problem = Failure("cannot open");
        return ReadOutcome::Incomplete;
    }
    const ReadOutcome outcome = ReadOpenFile(fd, maxBytes, out, problem);
    close(fd);
    if (outcome == ReadOutcome::Incomplete) {
        KeepWholeLines(out);
    }
    return outcome;
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
    RemoveStaleTemporaries(path);
    std::string temporary;
    const int fd = CreateTemporaryBeside(path, temporary);
    if (fd < 0) {
        return Failure("cannot create a temporary file");
    }
    std::string error = FillTemporary(fd, path, text);
    // Renamed while still open: its lock keeps other saves from taking it for stale.
    if (error.empty() && rename(temporary.c_str(), path.c_str()) != 0) {
        error = Failure("cannot replace the file");
    }
    if (!error.empty()) {
        unlink(temporary.c_str());
    }
    close(fd);
    if (!error.empty()) {
        return error;
    }
    SyncFolder(FolderOf(path));
    return "";
}

}  // namespace VelaEngine
