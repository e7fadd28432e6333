#pragma once
#include <memory>

#include "engine/entity/VelaBehavior.h"

namespace Game {

// A cannon that follows the plane and fires straight at it every 2 s while it is in range;
// red after a shot, white after a miss for range.
class AutoCannon : public VelaEngine::VelaBehavior {
public:
    static constexpr float kFireEvery = 2.0f;

    explicit AutoCannon(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "AutoCannon"; }
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return std::make_shared<AutoCannon>(newOwner);
    }
    void Start() override;
    void Update() override;
    void OnCollision(VelaEngine::Entity* const& other) override;

    // A ball at the cannon, unturned and at rest.
    std::shared_ptr<VelaEngine::Entity> SpawnBall();

    float fireTimer = 0.0f;
    // Weak: the cannon must not keep a removed plane alive or reach into a freed one.
    std::weak_ptr<VelaEngine::Entity> airplane;

private:
    VelaEngine::Entity& Airplane();
};

}  // namespace Game
