#include "engine/graphics/AnimatedImage.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

#include "engine/entity/Entity.h"
#include "engine/graphics/Quad.h"
#include "engine/graphics/Sprite.h"
#include "engine/scene/AssetCache.h"
#include "engine/scene/FieldMap.h"

namespace VelaEngine::Graphics {

int32_t LeadingNumber(const std::string& text) {
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        value = std::min(kMax, value * 10 + (c - '0'));
    }
    return static_cast<int32_t>(value);
}

AnimatedImage::AnimatedImage(Entity* owner) : Image(owner) {
    owner->GetUpdateListeners().Register(updateListener_);
}

void AnimatedImage::RebuildMesh() {
    if (cols_ == 0 || rows_ == 0) {
        return;
    }
    // In 64 bits: the smallest int divided by -1 does not fit in 32.
    const int64_t frame = currentFrame_;
    const int64_t column = frame % cols_;
    const int64_t row = frame / cols_;
    const float cols = static_cast<float>(cols_);
    const float rows = static_cast<float>(rows_);
    QuadCoordinates uv;
    uv.uLeft = static_cast<float>(column) / cols;
    uv.uRight = static_cast<float>(column + 1) / cols;
    if (flipX_) {
        std::swap(uv.uLeft, uv.uRight);
    }
    uv.vTop = static_cast<float>(row) / rows;
    uv.vBottom = static_cast<float>(row + 1) / rows;
    BuildQuad(mesh_, width_, height_, uv);
}

void AnimatedImage::Set(int32_t cols, int32_t rows, int32_t frame, float fps, int32_t frameStart,
                        int32_t frameEnd, float width, float height, std::shared_ptr<Sprite> sprite,
                        bool loop, bool flipX, bool flipY) {
    cols_ = cols;
    rows_ = rows;
    initialFrame_ = frame;
    currentFrame_ = frame;
    frameTime_ = 1.0f / fps;
    frameTimer_ = 0.0f;
    frameStart_ = frameStart;
    frameEnd_ = frameEnd;
    loop_ = loop;
    StoreQuad(width, height, std::move(sprite), flipX, flipY);
    RebuildMesh();
}

void AnimatedImage::SetFrame(int32_t frame) {
    // A clip sends every keyframe it has passed again each frame: the same frame is the same
    // quad, and rebuilding it churned GPU buffers sixty times a second per animated image.
    if (frame == currentFrame_ && mesh_.IsBuilt()) {
        return;
    }
    currentFrame_ = frame;
    RebuildMesh();
}

void AnimatedImage::Deserialize(const FieldMap& fields) {
    // The sheet is the point of the component, so an absent name is looked up (and fails).
    std::shared_ptr<Sprite> sprite = CachedSprite(fields.Get("Sprite", ""));
    const bool flipY = fields.Get("flipY", false);
    const bool flipX = fields.Get("flipX", false);
    const bool loop = fields.Get("loop", false);
    const float height = fields.Get("h", 0.0f);
    const float width = fields.Get("w", 0.0f);
    const int32_t frameEnd = fields.Get("frameEnd", 0);
    const int32_t frameStart = fields.Get("frameStart", 0);
    const float fps = fields.Get("fps", 0.0f);
    const int32_t frame = fields.Get("initialFrame", 0);
    const int32_t rows = fields.Get("rows", 0);
    const int32_t cols = fields.Get("cols", 0);
    Set(cols, rows, frame, fps, frameStart, frameEnd, width, height, std::move(sprite), loop, flipX,
        flipY);
}

std::shared_ptr<Component> AnimatedImage::Clone(Entity* newOwner) const {
    auto copy = MakePacked<AnimatedImage>(newOwner);
    copy->tint_ = tint_;
    copy->Set(cols_, rows_, initialFrame_, 1.0f, frameStart_, frameEnd_, width_, height_, sprite_,
              loop_, flipX_, flipY_);
    copy->frameTime_ = frameTime_;
    return copy;
}

void AnimatedImage::ApplyInstruction(const std::string& instruction) {
    const std::vector<std::string> parts = SplitInstruction(instruction);
    if (ApplySpriteInstruction(instruction, parts) || parts.empty() || parts[0] != "frame") {
        return;
    }
    SetFrame(LeadingNumber(InstructionValue(instruction, parts)));
}

}  // namespace VelaEngine::Graphics
