#pragma once
#include <string>

#include "engine/scene/IResource.h"

struct EBGfxTexture;

namespace VelaEngine::Graphics {

// One decoded image on the GPU, shared through the resource cache. The file is checked when
// the sprite is made and decoded when it is first drawn, so a picture nobody sees yet (a card
// still faded out) costs nothing before the first frame.
class Sprite : public IResource {
public:
    // A missing file, or one that is no whole PNG of a usable size, is fatal at once: "Sprite
    // loading failed: " + path. One whose pixels do not decode fails so when first drawn.
    explicit Sprite(const std::string& path);
    ~Sprite() override;
    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;

    // Decodes and uploads the picture on the first call.
    EBGfxTexture* GetTexture() const;
    bool IsDecoded() const { return texture_ != nullptr; }
    // Decodes the file again into this sprite, so everything showing it shows the new
    // picture; false (and the old picture kept) when the file cannot be decoded now.
    bool Reload();
    // The file it was decoded from.
    const std::string& GetPath() const { return path_; }

    // Off: every sprite decodes when it is made, as a checker that reads but never draws
    // needs. On by default.
    static void SetDecodeOnFirstDraw(bool lazy);

private:
    std::string path_;
    mutable EBGfxTexture* texture_ = nullptr;
};

}  // namespace VelaEngine::Graphics
