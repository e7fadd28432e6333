#include "tools/vela-run/LiveReload.h"

#include <iostream>
#include <set>
#include <vector>

#include "engine/audio/AudioClip.h"
#include "engine/core/VEDebug.h"
#include "engine/entity/Entity.h"
#include "engine/entity/Transform.h"
#include "engine/graphics/Sprite.h"
#include "engine/scene/FieldMap.h"
#include "engine/scene/Resources.h"
#include "engine/scene/SceneManager.h"
#include "tools/vela-run/RunOptions.h"
#include "tools/vela-run/SceneCheck.h"

namespace VelaRun {

using namespace VelaEngine;
using SceneManagement::SceneManager;

namespace {
// Where the problem shows: along the top of the picture, above everything the scene draws.
constexpr const char* kMessageEntity = "WatchProblem";
}  // namespace

std::unique_ptr<LiveReload> StartLiveReload(const RunOptions& options) {
    if (!options.watch) {
        return nullptr;
    }
    auto live = std::make_unique<LiveReload>(options.assets);
    if (!live->Ok()) {
        std::cerr << "vela-run: no file notifications from the kernel: --watch is off\n";
        return nullptr;
    }
    Log("Watching the scene, its pictures and its sounds for changes");
    return live;
}

LiveReload::LiveReload(std::string assets) : assets_(std::move(assets)) {}

void LiveReload::AfterFrame() {
    // A scene change, or pictures and sounds that the game loaded since, widen the watch.
    if (SceneManager::Get().GetCurrentSceneName() != watchedScene_ ||
        Resources::Get().Cached().size() != watchedCount_) {
        Rewatch();
    }
    const std::string scenePath =
        Normalised(assets_ + "/" + SceneManager::Get().GetCurrentSceneName() + ".scene");
    bool sceneChanged = false;
    for (const std::string& path : watch_.Changed()) {
        if (path == scenePath) {
            sceneChanged = true;
        } else {
            ReloadResource(path);
        }
    }
    if (sceneChanged) {
        ReloadScene();
    }
}

void LiveReload::Rewatch() {
    const std::string scene = SceneManager::Get().GetCurrentSceneName();
    std::set<std::string> files{assets_ + "/" + scene + ".scene"};
    for (const auto& [key, resource] : Resources::Get().Cached()) {
        if (const auto* sprite = dynamic_cast<const Graphics::Sprite*>(resource.get())) {
            files.insert(sprite->GetPath());
        } else if (const auto* clip = dynamic_cast<const Audio::AudioClip*>(resource.get())) {
            files.insert(clip->GetPath());
        }
    }
    watch_.WatchOnly(files);
    if (scene != watchedScene_) {
        message_.reset();  // the old scene took it along
    }
    watchedScene_ = scene;
    watchedCount_ = Resources::Get().Cached().size();
}

// The edited file is read through once on its own first: only a clean one replaces the
// running scene, as a scene change would (persistent entities stay).
void LiveReload::ReloadScene() {
    const std::string scene = SceneManager::Get().GetCurrentSceneName();
    const std::vector<SceneProblem> problems = CheckRunningScene(assets_, scene);
    if (!problems.empty()) {
        for (const SceneProblem& problem : problems) {
            Log("Scene not reloaded: " + Describe(problem));
        }
        std::string text = Describe(problems.front());
        if (problems.size() > 1) {
            text += " (and " + std::to_string(problems.size() - 1) + " more in the log)";
        }
        ShowProblem(text);
        return;
    }
    ClearProblem();
    Log("Reloading Scene: " + scene);
    SceneManager::Get().RequestChange(scene);
    SceneManager::Get().ProcessChange();
    Rewatch();
}

void LiveReload::ReloadResource(const std::string& path) {
    for (const auto& [key, resource] : Resources::Get().Cached()) {
        bool reloaded = true;
        if (auto* sprite = dynamic_cast<Graphics::Sprite*>(resource.get())) {
            if (Normalised(sprite->GetPath()) != path) {
                continue;
            }
            reloaded = sprite->Reload();
        } else if (auto* clip = dynamic_cast<Audio::AudioClip*>(resource.get())) {
            if (Normalised(clip->GetPath()) != path) {
                continue;
            }
            reloaded = clip->Reload();
        } else {
            continue;
        }
        if (reloaded) {
            Log("Reloaded: " + path);
            ClearProblem();
        } else {
            Log("Not reloaded, cannot decode: " + path);
            ShowProblem(path + ": cannot be decoded; the old one stays");
        }
    }
}

void LiveReload::ShowProblem(const std::string& text) {
    SceneManagement::Scene* scene = SceneManager::Get().GetCurrentScene();
    if (scene == nullptr) {
        return;
    }
    if (message_ == nullptr) {
        message_ = Entity::Create(kMessageEntity);
        FieldMap place;
        place.Set("t", "0,430");
        place.Set("r", "0");
        place.Set("s", "1,1");
        message_->GetTransform().Deserialize(place);
        Resources& resources = Resources::Get();
        FieldMap canvas;
        canvas.Set("renderMode", "ScreenSpace");
        resources.CreateEngineComponent("Canvas", *message_)->Deserialize(canvas);
        // A dark band, so the text reads over whatever the scene shows there.
        FieldMap band;
        band.Set("w", "1600");
        band.Set("h", "40");
        band.Set("tint", "0.08,0.08,0.1,0.9");
        resources.CreateEngineComponent("Image", *message_)->Deserialize(band);
        resources.CreateEngineComponent("Text", *message_);
        scene->GetRoots().push_back(message_);
    }
    FieldMap fields;
    fields.Set("text", text);
    fields.Set("size", "22");
    fields.Set("color", "1,0.45,0.4,1");
    fields.Set("shadow", "0,0,0,1");
    message_->GetComponents().back()->Deserialize(fields);
}

void LiveReload::ClearProblem() {
    if (message_ != nullptr) {
        message_->Destroy();
        message_.reset();
    }
}

}  // namespace VelaRun
