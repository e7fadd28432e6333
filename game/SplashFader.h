#pragma once
#include <memory>

#include "engine/entity/VelaBehavior.h"

namespace Game {

// Fades the entity's picture in and out over time through its transparency.
class SplashFader : public VelaEngine::VelaBehavior {
public:
    explicit SplashFader(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "SplashFader"; }
    bool IsPassive() const override { return false; }
    // "fadeInStart", "fadeInEnd", "fadeOutStart", "fadeOutEnd", seconds, default 0.
    void Deserialize(const VelaEngine::FieldMap& fields) override;
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<SplashFader>(newOwner);
    }
    void Update() override;

    // 0 before the fade-in, rising to 1, 1 until the fade-out, falling to 0, then 0.
    float LevelAt(float seconds) const;

    float fadeInStart = 0.0f;
    float fadeInEnd = 0.0f;
    float fadeOutStart = 0.0f;
    float fadeOutEnd = 0.0f;
    float elapsed = 0.0f;
};

}  // namespace Game
