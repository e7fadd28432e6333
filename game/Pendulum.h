#pragma once
#include <memory>

#include "engine/entity/VelaBehavior.h"

namespace Game {

// Swings the entity between two angles, with its own speed each way.
class Pendulum : public VelaEngine::VelaBehavior {
public:
    explicit Pendulum(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "Pendulum"; }
    // "rotMin", "rotMax", "rotSpeedUp" and "rotSpeedDown" are all required.
    void Deserialize(const VelaEngine::FieldMap& fields) override;
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<Pendulum>(newOwner);
    }
    void Update() override;

    bool swingingUp = true;
    float rotMin = 0.0f;
    float rotMax = 0.0f;
    float rotSpeedUp = 0.0f;
    float rotSpeedDown = 0.0f;
};

}  // namespace Game
