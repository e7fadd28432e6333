#include "tools/vela-run/ComponentDump.h"

#include <string>

#include "engine/animation/Animation.h"
#include "engine/audio/AudioClip.h"
#include "engine/audio/AudioSource.h"
#include "engine/entity/Component.h"
#include "engine/entity/VelaBehavior.h"
#include "engine/scene/Resources.h"

namespace VelaRun {

namespace {
// The resource name a clip was asked for ("sounds/sfx/win"); a clip made from any other file
// shows its path.
std::string ClipName(const VelaEngine::Audio::AudioClip& clip) {
    const std::string& path = clip.GetPath();
    const std::string prefix = VelaEngine::Resources::Get().GetAssetPath() + "/";
    const std::string extension = ".mp3";
    if (path.size() >= prefix.size() + extension.size() && path.starts_with(prefix) &&
        path.ends_with(extension)) {
        return path.substr(prefix.size(), path.size() - prefix.size() - extension.size());
    }
    return path;
}

void DumpAudioSource(const VelaEngine::Audio::AudioSource& source, JsonWriter& json) {
    json.Key("clip");
    if (source.GetClip() != nullptr) {
        json.String(ClipName(*source.GetClip()));
    } else {
        json.Null();
    }
    json.Key("volume");
    json.Number(source.GetVolume());
    json.Key("loop");
    json.Bool(source.IsLooping());
    json.Key("playOnAwake");
    json.Bool(source.PlaysOnAwake());
}

void DumpAnimation(const VelaEngine::Mecanim::Animation& animation, JsonWriter& json) {
    json.Key("enabled");
    json.Bool(animation.IsEnabled());
    json.Key("loop");
    json.Bool(animation.IsLooping());
    json.Key("time");
    json.Number(animation.GetTime());
}
}  // namespace

void DumpComponent(const VelaEngine::Component& component, JsonWriter& json) {
    json.Key("type");
    json.String(component.GetTypeName());
    if (dynamic_cast<const VelaEngine::VelaBehavior*>(&component) != nullptr) {
        json.Key("enabled");
        json.Bool(component.IsEnabled());
    }

    if (auto* source = dynamic_cast<const VelaEngine::Audio::AudioSource*>(&component)) {
        DumpAudioSource(*source, json);
    }
    if (auto* animation = dynamic_cast<const VelaEngine::Mecanim::Animation*>(&component)) {
        DumpAnimation(*animation, json);
    }
}

}  // namespace VelaRun
