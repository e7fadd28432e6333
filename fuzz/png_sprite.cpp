// PNG files through the real sprite path: the resource cache, the sprite's file check and the
// platform's decoder and texture upload, in the engine's offscreen GL context. A file that is
// no usable picture must end with "Sprite loading failed: " and its path.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/graphics/Sprite.h"
#include "engine/scene/Resources.h"
#include "fuzz/support/FuzzEngine.h"
#include "fuzz/support/FuzzHarness.h"

using FuzzSupport::Require;
using VelaEngine::Resources;
using VelaEngine::Graphics::Sprite;

namespace {
constexpr const char* kSprite = "fuzz/sprite";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzSupport::StartEngineOnce();
    const std::string path = FuzzSupport::WriteScratch(FuzzSupport::AssetFile(kSprite) + ".png",
                                                       FuzzSupport::Text(data, size));
    std::string message;
    {
        TestSupport::FatalCatcher catcher;
        try {
            std::shared_ptr<Sprite> sprite = Resources::Get().Get<Sprite>(kSprite);
            Require(sprite->GetTexture() != nullptr, "a loaded sprite has no texture");
        } catch (const TestSupport::FatalError& error) {
            message = error.what();
        }
    }
    Require(message.empty() || message.ends_with("Sprite loading failed: " + path),
            "a bad sprite failed with another message");
    // The next input must be read from its file, not found in the cache.
    Resources::Get().UnloadUnused();
    return 0;
}
