#pragma once
// Kernel notifications of changed files (inotify), read without waiting.
#include <map>
#include <set>
#include <string>
#include <vector>

namespace VelaRun {

class FileWatch {
public:
    FileWatch();
    ~FileWatch();
    FileWatch(const FileWatch&) = delete;
    FileWatch& operator=(const FileWatch&) = delete;

    bool Ok() const { return fd_ >= 0; }
    // Watches exactly these files from now on. Their folders are watched, so a file that an
    // editor replaces (writes a new one and renames it over the old) is still seen.
    void WatchOnly(const std::set<std::string>& files);
    // The watched files written, replaced or created since the last call, each once.
    std::vector<std::string> Changed();

private:
    int fd_ = -1;
    std::map<int, std::string> folders_;  // watch descriptor -> folder
    std::set<std::string> files_;         // normalised paths
};

// The path as the watch compares it: absolute, without "." or ".." steps.
std::string Normalised(const std::string& path);

}  // namespace VelaRun
