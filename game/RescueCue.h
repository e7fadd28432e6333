#pragma once
#include <memory>
#include <string>

#include "engine/entity/VelaBehavior.h"
#include "engine/graphics/Color.h"
#include "engine/scene/Vector2.h"

namespace Game {

// Shows that the checkpoint saved the plane: when the plane controller on the same entity
// spends its rescue, the plane blinks for "flashTime" seconds and the picture entity named
// "cue" pops up at "cueAt" (screen units) for "cueTime" seconds, fading out at the end.
class RescueCue : public VelaEngine::VelaBehavior {
public:
    // One blink: this long seen faint, this long seen whole.
    static constexpr float kBlink = 0.08f;
    static constexpr float kFaintAlpha = 0.25f;
    static constexpr float kPopTime = 0.15f;
    static constexpr float kFadeTime = 0.4f;

    explicit RescueCue(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "RescueCue"; }
    // "cue" (default "CheckpointCue"), "cueAt" (default 0,170), "flashTime" (default 1.2),
    // "cueTime" (default 1.6).
    void Deserialize(const VelaEngine::FieldMap& fields) override;
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override;
    void Update() override;

    // Starts the blink and the cue; called when the rescue is seen.
    void Begin();
    bool IsFlashing() const { return flashLeft > 0.0f; }
    bool IsCueShown() const { return cueLeft > 0.0f; }

    std::string cueName = "CheckpointCue";
    VelaEngine::Vector2 cueAt{0.0f, 170.0f};
    float flashTime = 1.2f;
    float cueTime = 1.6f;

    float flashLeft = 0.0f;
    float cueLeft = 0.0f;
    bool rescueSeen = false;

private:
    void Flash(float dt);
    void ShowCue(float dt);

    VelaEngine::Graphics::Color planeTint_;
    VelaEngine::Vector2 cueHome_;
};

}  // namespace Game
