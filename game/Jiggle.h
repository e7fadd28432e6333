#pragma once
#include <memory>

#include "engine/entity/VelaBehavior.h"

namespace Game {

// Shakes the entity by up to 2.5 units each way, every frame.
class Jiggle : public VelaEngine::VelaBehavior {
public:
    explicit Jiggle(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "Jiggle"; }
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<Jiggle>(newOwner);
    }
    void Update() override;

    static constexpr float kReach = 2.5f;
};

}  // namespace Game
