#include "engine/graphics/Sprite.h"

#include <sys/stat.h>

#include "engine/core/VEDebug.h"
#include "platform/EBGraphics.h"

namespace VelaEngine::Graphics {

Sprite::Sprite(const std::string& path) : path_(path) {
    struct stat status {};
    if (stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode)) {
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
