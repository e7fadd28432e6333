#include "engine/scene/Resources.h"

#include <vector>

#include "engine/audio/AudioClip.h"
#include "engine/core/VEDebug.h"
#include "engine/graphics/Sprite.h"
#include "engine/scene/Scene.h"
#include "engine/scene/SceneLoader.h"

namespace VelaEngine {

namespace {
// How one kind of cached resource is named, found and reported.
struct CachedKind {
    const char* prefix;
    const char* extension;
    const char* typeName;
};
constexpr CachedKind kSpriteKind{"sp", "png", "Sprite"};
constexpr CachedKind kClipKind{"ac", "mp3", "AudioClip"};

template <class T, class... Options>
std::shared_ptr<T> GetCached(std::unordered_map<std::string, std::shared_ptr<IResource>>& cache,
                             const std::string& assetPath, const CachedKind& kind,
                             const std::string& name, Options... options) {
    // The path is made only when it is needed: a scene asks for the same sprite many times.
    const auto pathOf = [&] { return assetPath + "/" + name + "." + kind.extension; };
    std::string key = kind.prefix;
    key += name;
    auto found = cache.find(key);
    if (found == cache.end()) {
        const std::string path = pathOf();
        Log(std::string("Loading ") + kind.typeName + ": " + path);
        auto resource = std::make_shared<T>(path, options...);
        cache[key] = resource;
        return resource;
    }
    auto resource = std::dynamic_pointer_cast<T>(found->second);
    if (resource == nullptr) {
        Fail("Pre-loaded IResource \"" + pathOf() + "\" is not " + kind.typeName + " type");
    }
    return resource;
}
}  // namespace

void Resources::Init(const std::string& assetPath, ComponentFactory factory) {
    Log("Game assets path: " + assetPath + "/\n");
    assetPath_ = assetPath;
    gameFactory_ = factory;
}

template <>
std::shared_ptr<Graphics::Sprite> Resources::Get<Graphics::Sprite>(const std::string& name) {
    return GetCached<Graphics::Sprite>(cache_, assetPath_, kSpriteKind, name);
}

template <>
std::shared_ptr<Audio::AudioClip> Resources::Get<Audio::AudioClip>(const std::string& name) {
    return GetCached<Audio::AudioClip>(cache_, assetPath_, kClipKind, name);
}

std::shared_ptr<Audio::AudioClip> Resources::GetMusic(const std::string& name) {
    return GetCached<Audio::AudioClip>(cache_, assetPath_, kClipKind, name,
                                       Audio::AudioClip::Decoding::InBackground);
}

template <>
std::shared_ptr<SceneManagement::Scene> Resources::Get<SceneManagement::Scene>(
    const std::string& name) {
    return SceneManagement::LoadScene(name);
}

void Resources::Store(const std::string& key, std::shared_ptr<IResource> resource) {
    cache_[key] = std::move(resource);
}

void Resources::UnloadUnused() {
    std::vector<std::string> unused;
    for (const auto& [key, resource] : cache_) {
        if (resource != nullptr && resource.use_count() == 1) {
            unused.push_back(key);
        }
    }
    for (const std::string& key : unused) {
        cache_.erase(key);
    }
}

}  // namespace VelaEngine
