#include "engine/graphics/Image.h"

#include <cmath>

#include "engine/core/VEDebug.h"
#include "engine/entity/Entity.h"
#include "engine/entity/MatrixStack.h"
#include "engine/graphics/DrawMesh.h"
#include "engine/graphics/Quad.h"
#include "engine/graphics/Sprite.h"
#include "engine/scene/AssetCache.h"
#include "engine/scene/FieldMap.h"
#include "engine/scene/ValueText.h"

namespace VelaEngine::Graphics {

namespace {
// An image drawn at full tint strength; only particles halve theirs.
constexpr float kOpaqueTint = 1.0f;

std::shared_ptr<Sprite> SpriteField(const FieldMap& fields) {
    std::string name;
    if (!fields.TryGet("Sprite", name)) {
        return nullptr;
    }
    return CachedSprite(name);
}
}  // namespace

Image::Image(Entity* owner) : Graphic(owner) {
    owner->GetDrawListeners().Register(drawListener_);
    // No quad yet: until Set gives it a size it would be an empty one, which draws nothing,
    // and every image read from a scene is set at once (building it twice cost a third of a
    // level's load).
}

void Image::RebuildMesh() {
    QuadCoordinates uv;
    if (flipX_) {
        std::swap(uv.uLeft, uv.uRight);
    }
    if (flipY_) {
        std::swap(uv.vTop, uv.vBottom);
    }
    BuildQuad(mesh_, width_, height_, uv);
}

void Image::StoreQuad(float width, float height, std::shared_ptr<Sprite> sprite, bool flipX,
                      bool flipY) {
    width_ = width;
    height_ = height;
    sprite_ = std::move(sprite);
    flipX_ = flipX;
    flipY_ = flipY;
}

void Image::Set(float width, float height, std::shared_ptr<Sprite> sprite, const Color& tint,
                bool flipX, bool flipY) {
    StoreQuad(width, height, std::move(sprite), flipX, flipY);
    tint_ = tint;
    RebuildMesh();
}

void Image::Deserialize(const FieldMap& fields) {
    std::shared_ptr<Sprite> sprite = SpriteField(fields);
    const bool flipY = fields.Get("flipY", false);
    const bool flipX = fields.Get("flipX", false);
    const float height = fields.Get("h", 0.0f);
    const float width = fields.Get("w", 0.0f);
    const Color tint = fields.Get("tint", Color());
    Set(width, height, std::move(sprite), tint, flipX, flipY);
}

std::shared_ptr<Component> Image::Clone(Entity* newOwner) const {
    auto copy = MakePacked<Image>(newOwner);
    copy->Set(width_, height_, sprite_, tint_, flipX_, flipY_);
    copy->textureOffset_ = textureOffset_;
    return copy;
}

void Image::SetTextureOffset(float u) {
    // A whole turn shows the same picture; keeping the remainder keeps float steps fine
    // however far the scenery has scrolled.
    const float turns = u - std::floor(u);
    textureOffset_ = std::isfinite(turns) && turns < 1.0f ? turns : 0.0f;
}

std::vector<std::string> Image::SplitInstruction(const std::string& instruction) {
    return SplitText(instruction, ":");
}

const std::string& Image::InstructionValue(const std::string& instruction,
                                           const std::vector<std::string>& parts) {
    if (parts.size() < 2) {
        Fail("Instruction \"" + instruction + "\" has no value after ':'");
    }
    return parts[1];
}

bool Image::ApplySpriteInstruction(const std::string& instruction,
                                   const std::vector<std::string>& parts) {
    if (parts.empty() || parts[0] != "sprite") {
        return false;
    }
    const std::string& name = InstructionValue(instruction, parts);
    sprite_ = CachedSprite(name);
    return true;
}

void Image::ApplyInstruction(const std::string& instruction) {
    ApplySpriteInstruction(instruction, SplitInstruction(instruction));
}

void Image::OnDraw(const Events::EventBase&) {
    DrawMesh(mesh_, sprite_.get(), tint_, kOpaqueTint, MatrixStack::Get().GetCurrent(),
             textureOffset_);
}

}  // namespace VelaEngine::Graphics
