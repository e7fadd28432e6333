#pragma once
#include <functional>
#include <memory>
#include <string>

#include "engine/scene/Scene.h"

namespace VelaEngine {
class Component;
class FieldMap;
}  // namespace VelaEngine

namespace VelaEngine::SceneManagement {

// Lets a checker see a whole file through instead of stopping at its first content error.
// Every step that may fail runs inside Attempt; a step that fails is skipped (with the lines
// below it that depend on it) and the load goes on.
class LoadWatcher {
public:
    virtual ~LoadWatcher() = default;
    // Runs `step`; returns false when it ended in a fatal message, which the watcher keeps.
    virtual bool Attempt(const std::function<void()>& step) = 0;
    // A component's fields, right before it reads them; `line` is its type line.
    virtual void FieldsRead(Component& component, const FieldMap& fields, int line) = 0;
};

// Reads "<asset path>/<name>.scene" and builds its entities and components through the
// factories; stores the result in the resource cache under "sc" + name. Any content error
// ends the program with a message naming the file and line.
std::shared_ptr<Scene> LoadScene(const std::string& name);
// The same load, seen through by `watcher`; the game never passes one.
std::shared_ptr<Scene> LoadScene(const std::string& name, LoadWatcher* watcher);

}  // namespace VelaEngine::SceneManagement
