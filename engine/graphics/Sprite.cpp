#include "engine/graphics/Sprite.h"

#include "engine/core/RegularFile.h"
#include "engine/core/VEDebug.h"
#include "platform/EBGraphics.h"

namespace VelaEngine::Graphics {

namespace {
bool g_decodeOnFirstDraw = true;
}  // namespace

void Sprite::SetDecodeOnFirstDraw(bool lazy) {
    g_decodeOnFirstDraw = lazy;
}

Sprite::Sprite(const std::string& path) : path_(path) {
    if (!IsRegularFile(path) || !EBGfxTextureFileUsable(path.c_str())) {
        Fail("Sprite loading failed: " + path);
    }
    if (!g_decodeOnFirstDraw) {
        GetTexture();
    }
}

EBGfxTexture* Sprite::GetTexture() const {
    if (texture_ == nullptr) {
        texture_ = EBGfxTextureLoad(path_.c_str());
        if (texture_ == nullptr) {
            Fail("Sprite loading failed: " + path_);
        }
    }
    return texture_;
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
