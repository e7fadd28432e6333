#pragma once
#include <memory>

#include "engine/entity/Listener.h"
#include "engine/entity/VelaBehavior.h"
#include "engine/scene/Vector2.h"

namespace Game {

// A locked level's padlock: a click on its button plays the refusal sound on the entity's
// AudioSource and shakes the padlock sideways for a moment.
class LockedLevel : public VelaEngine::VelaBehavior {
public:
    static constexpr float kShakeTime = 0.35f;
    static constexpr float kShakeWidth = 9.0f;
    static constexpr float kShakesPerSecond = 14.0f;

    explicit LockedLevel(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "LockedLevel"; }
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<LockedLevel>(newOwner);
    }
    void Start() override;
    void Update() override;

    // Seconds of shaking left; 0 at rest.
    float shakeLeft = 0.0f;

private:
    void OnClick(const VelaEngine::Events::EventBase& event);

    VelaEngine::Vector2 rest_;
    VelaEngine::Events::ClassListener<LockedLevel> clickListener_{this, &LockedLevel::OnClick};
};

}  // namespace Game
