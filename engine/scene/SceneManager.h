#pragma once
#include <memory>
#include <string>

#include "engine/core/Singleton.h"
#include "engine/entity/FramePasses.h"
#include "engine/scene/Scene.h"

namespace VelaEngine::SceneManagement {

// Holds the current scene, runs its frame and switches scenes after the frame, carrying
// persistent root entities over.
class SceneManager : public Singleton<SceneManager> {
public:
    static constexpr const char* kServiceName = "SceneManager";

    ~SceneManager() override;

    void LoadFirstScene(const std::string& name);
    // Takes effect after the frame; the last request of a frame wins.
    void RequestChange(const std::string& name);
    Scene* GetCurrentScene() const { return current_.get(); }
    // The name the current scene was loaded under.
    const std::string& GetCurrentSceneName() const { return currentName_; }
    // The scene's frame, then any requested change.
    void Update();
    // Carries out a requested change now. Update does so after the scene's frame; tools that
    // drive the loop may do so between frames, when no pass is walking the tree.
    void ProcessChange();

private:
    void RunSceneFrame(Scene& scene);
    void MakeCurrent(std::shared_ptr<Scene> scene, const std::string& name);

    std::shared_ptr<Scene> current_;
    std::string requested_;
    std::string currentName_;
    FrameCandidates candidates_;
};

}  // namespace VelaEngine::SceneManagement

VELA_SERVICE_HOLDER_DECLARATION(VelaEngine::SceneManagement::SceneManager)
