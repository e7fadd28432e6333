#pragma once
#include <memory>

#include "engine/entity/VelaBehavior.h"
#include "game/CannonRules.h"

namespace Game {

// A cannon pointing a fixed way ("angle", degrees) that fires along it every 1.5 s while the
// plane is in range.
class Cannon : public VelaEngine::VelaBehavior {
public:
    static constexpr float kFireEvery = 1.5f;

    explicit Cannon(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "Cannon"; }
    // "angle", default 0; it also turns the cannon.
    void Deserialize(const VelaEngine::FieldMap& fields) override;
    // Fresh: the angle comes with the copy's own fields.
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        auto copy = MakePacked<Cannon>(newOwner);
        copy->fireEvery = fireEvery;
        copy->range = range;
        return copy;
    }
    void Update() override;
    void OnCollision(VelaEngine::Entity* const& other) override;

    // A ball at the cannon, turned along its angle and at rest.
    std::shared_ptr<VelaEngine::Entity> SpawnBall();

    float fireTimer = 0.0f;
    // "fireEvery" (seconds, default kFireEvery) and "range" (units, default kCannonRange).
    float fireEvery = kFireEvery;
    float range = kCannonRange;
    float angle = 0.0f;

private:
    void Fire();
};

}  // namespace Game
