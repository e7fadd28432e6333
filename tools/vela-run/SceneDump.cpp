#include "tools/vela-run/SceneDump.h"

#include <fstream>

#include "engine/audio/AudioManager.h"
#include "engine/core/Time.h"
#include "engine/entity/Transform.h"
#include "engine/input/Input.h"
#include "engine/scene/SceneManager.h"
#include "tools/vela-run/ComponentDump.h"
#include "tools/vela-run/JsonWriter.h"

namespace VelaRun {

namespace {
void Pair(JsonWriter& json, const char* key, float x, float y) {
    json.Key(key);
    json.BeginArray();
    json.Number(x);
    json.Number(y);
    json.EndArray();
}

void DumpEntity(VelaEngine::Entity& entity, const std::string& parentPath, JsonWriter& json) {
    const std::string path =
        parentPath.empty() ? entity.GetName() : parentPath + "/" + entity.GetName();
    VelaEngine::Transform& transform = entity.GetTransform();
    json.BeginObject();
    json.Key("path");
    json.String(path);
    json.Key("name");
    json.String(entity.GetName());
    json.Key("tags");
    json.BeginArray();
    for (const std::string& tag : entity.GetTags()) {
        json.String(tag);
    }
    json.EndArray();
    json.Key("destroyed");
    json.Bool(entity.IsDestroyed());
    json.Key("persistent");
    json.Bool(entity.IsPersistent());
    Pair(json, "position", transform.GetPosition().x, transform.GetPosition().y);
    json.Key("rotation");
    json.Number(transform.GetRotation());
    Pair(json, "scale", transform.GetScale().x, transform.GetScale().y);
    const VelaEngine::Point2 world = transform.GetWorldPosition();
    Pair(json, "world", world.x, world.y);
    json.Key("components");
    json.BeginArray();
    for (const auto& component : entity.GetComponents()) {
        json.BeginObject();
        DumpComponent(*component, json);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    // Tree order: each entity is followed by its subtree.
    for (const auto& child : entity.GetChildren()) {
        DumpEntity(*child, path, json);
    }
}
}  // namespace

std::string DumpScene(unsigned frame) {
    using VelaEngine::SceneManagement::SceneManager;
    const VelaEngine::Time& time = VelaEngine::Time::Get();
    SceneManager& scenes = SceneManager::Get();
    JsonWriter json;
    json.BeginObject();
    json.Key("frame");
    json.Number(frame);
    json.Key("scene");
    json.String(scenes.GetCurrentSceneName());
    json.Key("paused");
    json.Bool(time.IsPaused());
    json.Key("timeScale");
    json.Number(time.GetTimeScale());
    json.Key("volume");
    json.Number(VelaEngine::Audio::AudioManager::Get().GetVolume());
    const VelaEngine::Point2& cursor = VelaEngine::Input::Get().GetCursor();
    Pair(json, "cursor", cursor.x, cursor.y);
    json.Key("entities");
    json.BeginArray();
    if (VelaEngine::SceneManagement::Scene* scene = scenes.GetCurrentScene()) {
        for (const auto& root : scene->GetRoots()) {
            DumpEntity(*root, "", json);
        }
    }
    json.EndArray();
    json.EndObject();
    return json.Text();
}

bool WriteSceneDump(const std::string& path, unsigned frame) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << DumpScene(frame) << '\n';
    return static_cast<bool>(out);
}

}  // namespace VelaRun
