#include "tools/vela-run/FileWatch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <filesystem>

namespace VelaRun {

namespace fs = std::filesystem;

std::string Normalised(const std::string& path) {
    return fs::absolute(path).lexically_normal().string();
}

FileWatch::FileWatch() : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

FileWatch::~FileWatch() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

void FileWatch::WatchOnly(const std::set<std::string>& files) {
    if (fd_ < 0) {
        return;
    }
    for (const auto& [descriptor, folder] : folders_) {
        inotify_rm_watch(fd_, descriptor);
    }
    folders_.clear();
    files_.clear();
    std::set<std::string> folders;
    for (const std::string& file : files) {
        const std::string path = Normalised(file);
        files_.insert(path);
        folders.insert(fs::path(path).parent_path().string());
    }
    for (const std::string& folder : folders) {
        const int descriptor = inotify_add_watch(fd_, folder.c_str(), IN_CLOSE_WRITE | IN_MOVED_TO);
        if (descriptor >= 0) {
            folders_[descriptor] = folder;
        }
    }
}

std::vector<std::string> FileWatch::Changed() {
    std::set<std::string> changed;
    alignas(inotify_event) char buffer[8192];
    for (;;) {
        const ssize_t length = fd_ < 0 ? -1 : read(fd_, buffer, sizeof buffer);
        if (length <= 0) {
            break;
        }
        for (ssize_t at = 0; at < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            const auto folder = folders_.find(event->wd);
            if (folder == folders_.end() || event->len == 0) {
                continue;
            }
            const std::string path = (fs::path(folder->second) / event->name).string();
            if (files_.count(path) != 0) {
                changed.insert(path);
            }
        }
    }
    return {changed.begin(), changed.end()};
}

}  // namespace VelaRun
