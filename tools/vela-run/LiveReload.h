#pragma once
// `--watch`: the current scene's file and the pictures and sounds in use are watched; an edit
// shows in the running game without a restart, and a broken edit does not end it.
#include <memory>
#include <string>

#include "tools/vela-run/FileWatch.h"
#include "tools/vela-run/RunOptions.h"

namespace VelaEngine {
class Entity;
}

namespace VelaRun {

class LiveReload {
public:
    explicit LiveReload(std::string assets);
    bool Ok() const { return watch_.Ok(); }
    // Between frames: takes in what changed since the last call.
    void AfterFrame();

private:
    void Rewatch();
    void ReloadScene();
    void ReloadResource(const std::string& path);
    void ShowProblem(const std::string& text);
    void ClearProblem();

    std::string assets_;
    FileWatch watch_;
    std::string watchedScene_;  // the scene the watch was set up for
    std::size_t watchedCount_ = 0;
    std::shared_ptr<VelaEngine::Entity> message_;  // the problem on screen, if any
};

// The watch when the options ask for one; null otherwise, or (with a message) when the kernel
// refuses file notifications.
std::unique_ptr<LiveReload> StartLiveReload(const RunOptions& options);

}  // namespace VelaRun
