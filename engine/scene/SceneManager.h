#pragma once
#include <string>

#include "engine/core/Singleton.h"

namespace VelaEngine::SceneManagement {

// Owns the current scene, runs its frame and switches scenes after the frame.
class SceneManager : public Singleton<SceneManager> {
public:
    static constexpr const char* kServiceName = "SceneManager";
    void LoadFirstScene(const std::string& name);
    void Update();
};

}  // namespace VelaEngine::SceneManagement

VELA_SERVICE_HOLDER_DECLARATION(VelaEngine::SceneManagement::SceneManager)
