#include "engine/scene/SceneManager.h"

#include <utility>
#include <vector>

#include "engine/audio/AudioManager.h"
#include "engine/core/Time.h"
#include "engine/entity/EntityPasses.h"
#include "engine/entity/FramePasses.h"
#include "engine/entity/SceneRoots.h"
#include "engine/input/Button.h"
#include "engine/input/Input.h"
#include "engine/physics/PhysicsComponents.h"
#include "engine/scene/Resources.h"

namespace VelaEngine::SceneManagement {

// The scene's entities and what only they used go with the scene manager, while the window,
// the sound system and the other services they release into still exist.
SceneManager::~SceneManager() {
    SetSceneRoots(nullptr);
    if (current_ != nullptr) {
        current_->GetRoots().clear();
        current_.reset();
    }
    if (Resources::Exists()) {
        Resources::Get().UnloadUnused();
    }
}

void SceneManager::MakeCurrent(std::shared_ptr<Scene> scene, const std::string& name) {
    current_ = std::move(scene);
    currentName_ = name;
    SetSceneRoots(current_ ? &current_->GetRoots() : nullptr);
}

void SceneManager::LoadFirstScene(const std::string& name) {
    MakeCurrent(Resources::Get().Get<Scene>(name), name);
}

void SceneManager::RequestChange(const std::string& name) {
    Log("Requested to change to Scene: " + name);
    requested_ = name;
}

void SceneManager::Update() {
    if (current_ != nullptr) {
        RunSceneFrame(*current_);
    }
    ProcessChange();
}

void SceneManager::RunSceneFrame(Scene& scene) {
    EntityList& roots = scene.GetRoots();
    // Every hook due this frame runs before any update; roots added meanwhile are reached.
    Events::CollisionEvent event;
    candidates_.GatherInto(roots, HasColliderAndBody, event);
    UI::Button::UpdatePointer(roots);
    if (Input::Get().IsClicked()) {
        for (auto it = roots.rbegin(); it != roots.rend(); ++it) {
            if (ClickPass(**it)) {
                break;
            }
        }
    }
    // Root by root: an earlier root is drawn before a later one updates.
    RunRootPasses(roots, HasColliderAndBody, event);
    candidates_.KeepFrom(event);
    RemoveDestroyed(roots);
}

void SceneManager::ProcessChange() {
    if (requested_.empty()) {
        return;
    }
    Log("Unloading Scene\n");
    EntityList persistent;
    if (current_ != nullptr) {
        for (const std::shared_ptr<Entity>& root : current_->GetRoots()) {
            if (root->IsPersistent()) {
                persistent.push_back(root);
            }
        }
        current_->GetRoots().clear();
    }
    MakeCurrent(nullptr, "");
    Resources::Get().UnloadUnused();
    Time::Get().SetPaused(false);
    Audio::AudioManager::Get().SetPaused(false);

    const std::string name = requested_;
    MakeCurrent(Resources::Get().Get<Scene>(name), name);
    current_->GetRoots().splice(current_->GetRoots().end(), persistent);
    requested_.clear();
}

}  // namespace VelaEngine::SceneManagement
