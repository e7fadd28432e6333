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

Sprite::~Sprite() {
    EBGfxTextureUnload(texture_);
}

}  // namespace VelaEngine::Graphics
