#pragma once
#include <string>

#include "engine/scene/IResource.h"

struct EBGfxTexture;

namespace VelaEngine::Graphics {

// One decoded image on the GPU, shared through the resource cache.
class Sprite : public IResource {
public:
    // A missing or undecodable file is fatal: "Sprite loading failed: " + path.
    explicit Sprite(const std::string& path);
    ~Sprite() override;
    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;

    EBGfxTexture* GetTexture() const { return texture_; }
    // Decodes the file again into this sprite, so everything showing it shows the new
    // picture; false (and the old picture kept) when the file cannot be decoded now.
    bool Reload();
    // The file it was decoded from.
    const std::string& GetPath() const { return path_; }

private:
    std::string path_;
    EBGfxTexture* texture_ = nullptr;
};

}  // namespace VelaEngine::Graphics
