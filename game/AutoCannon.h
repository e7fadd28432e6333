#pragma once
#include <memory>

#include "engine/entity/VelaBehavior.h"
#include "game/CannonRules.h"

namespace Game {

// A cannon that follows the plane and fires straight at it every 2 s while it is in range;
// red after a shot, white after a miss for range.
class AutoCannon : public VelaEngine::VelaBehavior {
public:
    static constexpr float kFireEvery = 2.0f;

    explicit AutoCannon(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "AutoCannon"; }
    void Deserialize(const VelaEngine::FieldMap& fields) override;
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        auto copy = MakePacked<AutoCannon>(newOwner);
        copy->fireEvery = fireEvery;
        copy->range = range;
        return copy;
    }
    void Start() override;
    void Update() override;
    void OnCollision(VelaEngine::Entity* const& other) override;

    // A ball at the cannon, unturned and at rest.
    std::shared_ptr<VelaEngine::Entity> SpawnBall();

    float fireTimer = 0.0f;
    // "fireEvery" (seconds, default kFireEvery) and "range" (units, default kCannonRange).
    float fireEvery = kFireEvery;
    float range = kCannonRange;
    // Weak: the cannon must not keep a removed plane alive or reach into a freed one.
    std::weak_ptr<VelaEngine::Entity> airplane;

private:
    VelaEngine::Entity& Airplane();
};

}  // namespace Game
