#pragma once
#include <memory>

#include "engine/entity/VelaBehavior.h"

namespace Game {

// Gives the entity's picture a new light random colour twenty times a second.
class Flasher : public VelaEngine::VelaBehavior {
public:
    explicit Flasher(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "Flasher"; }
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<Flasher>(newOwner);
    }
    void Update() override;

    static constexpr float kInterval = 0.05f;
    float elapsed = 0.0f;
};

}  // namespace Game
