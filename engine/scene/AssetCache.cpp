#include "engine/scene/AssetCache.h"

#include "engine/scene/Resources.h"

namespace VelaEngine {

std::shared_ptr<Graphics::Sprite> CachedSprite(const std::string& name) {
    return Resources::Get().Get<Graphics::Sprite>(name);
}

std::shared_ptr<Audio::AudioClip> CachedClip(const std::string& name) {
    return Resources::Get().Get<Audio::AudioClip>(name);
}

const std::string& AssetPath() {
    return Resources::Get().GetAssetPath();
}

}  // namespace VelaEngine
