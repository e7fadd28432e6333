#pragma once
#include <memory>
#include <string>
#include <unordered_map>

#include "engine/core/Singleton.h"
#include "engine/scene/ComponentFactory.h"
#include "engine/scene/IResource.h"

namespace VelaEngine {

namespace Graphics {
class Sprite;
}
namespace Audio {
class AudioClip;
}
namespace SceneManagement {
class Scene;
}

// Knows where the assets are, keeps loaded ones alive while they are used, and holds the
// game's component factory.
class Resources : public Singleton<Resources> {
public:
    static constexpr const char* kServiceName = "Resources";
    using Singleton<Resources>::Get;

    void Init(const std::string& assetPath, ComponentFactory factory);
    const std::string& GetAssetPath() const { return assetPath_; }
    ComponentFactory GetGameFactory() const { return gameFactory_; }

    // Sprites and sound clips load once and are shared while cached; scenes are read anew
    // on every call.
    template <class T>
    std::shared_ptr<T> Get(const std::string& name);

    // A sound clip as Get<AudioClip> gives it, but one loaded here decodes in the background.
    std::shared_ptr<Audio::AudioClip> GetMusic(const std::string& name);

    // Replaces whatever the cache held under the key.
    void Store(const std::string& key, std::shared_ptr<IResource> resource);
    // Drops every cached resource that nothing but the cache holds.
    void UnloadUnused();
    bool IsCached(const std::string& key) const { return cache_.count(key) != 0; }
    // Every cached resource with its key ("sp", "ac" or "sc" and the name).
    const std::unordered_map<std::string, std::shared_ptr<IResource>>& Cached() const {
        return cache_;
    }

    // The engine's own component types, by type name; null for other names.
    Component* CreateEngineComponent(const std::string& typeName, Entity& owner);

private:
    ComponentFactory gameFactory_ = nullptr;
    std::string assetPath_;
    std::unordered_map<std::string, std::shared_ptr<IResource>> cache_;
};

template <>
std::shared_ptr<Graphics::Sprite> Resources::Get<Graphics::Sprite>(const std::string& name);
template <>
std::shared_ptr<Audio::AudioClip> Resources::Get<Audio::AudioClip>(const std::string& name);
template <>
std::shared_ptr<SceneManagement::Scene> Resources::Get<SceneManagement::Scene>(
    const std::string& name);

}  // namespace VelaEngine

VELA_SERVICE_HOLDER_DECLARATION(VelaEngine::Resources)
