#pragma once
// An image that shows one cell of a sprite sheet: frames run left to right, then top to
// bottom. Animation clips change the frame with "frame:N".
#include <cstdint>
#include <memory>
#include <string>

#include "engine/graphics/Image.h"

namespace VelaEngine::Graphics {

class AnimatedImage : public Image {
public:
    explicit AnimatedImage(Entity* owner);

    const char* GetTypeName() const override { return "AnimatedImage"; }
    // "sprite:NAME" as an image; "frame:N" shows frame N (its leading digits, 0 without any).
    void ApplyInstruction(const std::string& instruction) override;
    // The image's fields except the tint, plus the sheet and timing; the sprite is required.
    void Deserialize(const FieldMap& fields) override;
    // Starts at the initial frame with the same frame time.
    std::shared_ptr<Component> Clone(Entity* newOwner) const override;
    // The current frame's cell; a sheet without columns or rows keeps the quad it has.
    void RebuildMesh() override;

    void Set(int32_t cols, int32_t rows, int32_t frame, float fps, int32_t frameStart,
             int32_t frameEnd, float width, float height, std::shared_ptr<Sprite> sprite, bool loop,
             bool flipX, bool flipY);

    int32_t GetCols() const { return cols_; }
    int32_t GetRows() const { return rows_; }
    int32_t GetFrame() const { return currentFrame_; }
    int32_t GetInitialFrame() const { return initialFrame_; }
    int32_t GetFrameStart() const { return frameStart_; }
    int32_t GetFrameEnd() const { return frameEnd_; }
    bool GetLoop() const { return loop_; }
    float GetFrameTime() const { return frameTime_; }
    void SetFrame(int32_t frame);

private:
    // Frames change only by instruction; the sheet keeps its timing for whoever steps it.
    void OnUpdate(const Events::EventBase&) {}

    int32_t cols_ = 0;
    int32_t rows_ = 0;
    int32_t initialFrame_ = 0;
    int32_t frameStart_ = 0;
    int32_t frameEnd_ = 0;
    int32_t currentFrame_ = 0;
    bool loop_ = false;
    float frameTime_ = 0.0f;
    float frameTimer_ = 0.0f;
    Events::ClassListener<AnimatedImage> updateListener_{this, &AnimatedImage::OnUpdate};
};

// The whole number at the front of `text`: its leading decimal digits, 0 without any;
// numbers beyond the int range stop at its maximum.
int32_t LeadingNumber(const std::string& text);

}  // namespace VelaEngine::Graphics
