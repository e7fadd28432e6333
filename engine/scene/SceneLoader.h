#pragma once
#include <memory>
#include <string>

#include "engine/scene/Scene.h"

namespace VelaEngine::SceneManagement {

// Reads "<asset path>/<name>.scene" and builds its entities and components through the
// factories; stores the result in the resource cache under "sc" + name. Any content error
// ends the program with a message naming the file and line.
std::shared_ptr<Scene> LoadScene(const std::string& name);

}  // namespace VelaEngine::SceneManagement
