#include <string>

#include "engine/animation/Animation.h"
#include "engine/audio/AudioClip.h"
#include "engine/audio/AudioSource.h"
#include "engine/scene/Resources.h"
#include "tools/vela-run/ComponentDump.h"
#include "tools/vela-run/DumpFields.h"

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
}  // namespace

bool DumpAudioAnimationComponent(const VelaEngine::Component& component, JsonWriter& json) {
    using namespace VelaEngine;
    if (const auto* source = dynamic_cast<const Audio::AudioSource*>(&component)) {
        json.Key("clip");
        if (source->GetClip() != nullptr) {
            json.String(ClipName(*source->GetClip()));
        } else {
            json.Null();
        }
        NumberField(json, "volume", source->GetVolume());
        BoolField(json, "loop", source->IsLooping());
        BoolField(json, "playOnAwake", source->PlaysOnAwake());
        return true;
    }
    if (const auto* animation = dynamic_cast<const Mecanim::Animation*>(&component)) {
        BoolField(json, "enabled", animation->IsEnabled());
        BoolField(json, "loop", animation->IsLooping());
        NumberField(json, "time", animation->GetTime());
        return true;
    }
    return false;
}

}  // namespace VelaRun
