#include "engine/graphics/Sprite.h"

#include "engine/core/RegularFile.h"
#include "engine/core/VEDebug.h"
#include "platform/EBGraphics.h"

namespace VelaEngine::Graphics {

Sprite::Sprite(const std::string& path) : path_(path) {
    if (IsRegularFile(path)) {
        texture_ = EBGfxTextureLoad(path.c_str());
    }
    if (texture_ == nullptr) {
        Fail("Sprite loading failed: " + path);
    }
}

bool Sprite::Reload() {
    EBGfxTexture* fresh = IsRegularFile(path_) ? EBGfxTextureLoad(path_.c_str()) : nullptr;
    if (fresh == nullptr) {
        return false;
    }
    EBGfxTextureUnload(texture_);
    texture_ = fresh;
    return true;
}

Sprite::~Sprite() {
    EBGfxTextureUnload(texture_);
}

}  // namespace VelaEngine::Graphics
