#pragma once
// A textured rectangle centred on its entity, drawn with the entity's world placement.
#include <memory>
#include <string>
#include <vector>

#include "engine/entity/Listener.h"
#include "engine/graphics/Color.h"
#include "engine/graphics/Graphic.h"
#include "engine/graphics/Mesh.h"

namespace VelaEngine::Graphics {

class Sprite;

class Image : public Graphic {
public:
    explicit Image(Entity* owner);

    const char* GetTypeName() const override { return "Image"; }
    // "sprite:NAME" swaps the texture and keeps the quad's size.
    void ApplyInstruction(const std::string& instruction) override;
    // "Sprite", "w", "h", "flipX", "flipY", "tint"; without a sprite the quad is plain tint.
    void Deserialize(const FieldMap& fields) override;
    std::shared_ptr<Component> Clone(Entity* newOwner) const override;
    // Makes the quad for the current settings.
    virtual void RebuildMesh();

    void Set(float width, float height, std::shared_ptr<Sprite> sprite, const Color& tint,
             bool flipX, bool flipY);

    const std::shared_ptr<Sprite>& GetSprite() const { return sprite_; }
    // The quad is unchanged: only the texture it shows.
    void SetSprite(std::shared_ptr<Sprite> sprite) { sprite_ = std::move(sprite); }
    float GetWidth() const { return width_; }
    float GetHeight() const { return height_; }
    bool GetFlipX() const { return flipX_; }
    bool GetFlipY() const { return flipY_; }
    const Color& GetTint() const { return tint_; }
    void SetTint(const Color& tint) { tint_ = tint; }
    const Mesh& GetMesh() const { return mesh_; }
    // Slides the picture inside its quad: the texture is sampled `u` of its width further
    // right, wrapping round, so a strip that tiles left to right can scroll forever. Kept in
    // 0 to 1; 0 (the default) shows the picture as it is.
    void SetTextureOffset(float u);
    float GetTextureOffset() const { return textureOffset_; }

protected:
    // The instruction split at ':', and its value, failing when the instruction has none.
    static std::vector<std::string> SplitInstruction(const std::string& instruction);
    static const std::string& InstructionValue(const std::string& instruction,
                                               const std::vector<std::string>& parts);
    // Applies "sprite:NAME"; false for any other instruction.
    bool ApplySpriteInstruction(const std::string& instruction,
                                const std::vector<std::string>& parts);
    void StoreQuad(float width, float height, std::shared_ptr<Sprite> sprite, bool flipX,
                   bool flipY);

    std::shared_ptr<Sprite> sprite_;
    float width_ = 0.0f;
    float height_ = 0.0f;
    bool flipX_ = false;
    bool flipY_ = false;
    Color tint_;
    Mesh mesh_;
    float textureOffset_ = 0.0f;

private:
    void OnDraw(const Events::EventBase& event);

    Events::ClassListener<Image> drawListener_{this, &Image::OnDraw};
};

}  // namespace VelaEngine::Graphics
