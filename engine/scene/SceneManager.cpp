#include "engine/scene/SceneManager.h"

namespace VelaEngine::SceneManagement {

// There is no scene loader yet, so there is no scene to load or run: frames stay empty.
void SceneManager::LoadFirstScene(const std::string&) {}
void SceneManager::Update() {}

}  // namespace VelaEngine::SceneManagement
