#pragma once
// What components ask of the resource cache: shared sprites and sound clips by name, and the
// asset folder for files they open themselves. Including this instead of Resources.h keeps
// images, sounds and buttons apart from scene loading and switching.
#include <memory>
#include <string>

namespace VelaEngine {

namespace Graphics {
class Sprite;
}
namespace Audio {
class AudioClip;
}

// Loaded once and shared while the cache holds it; a missing cache is fatal as for Resources.
std::shared_ptr<Graphics::Sprite> CachedSprite(const std::string& name);
std::shared_ptr<Audio::AudioClip> CachedClip(const std::string& name);
// The folder the cache loads from, as the front end gave it.
const std::string& AssetPath();

}  // namespace VelaEngine
