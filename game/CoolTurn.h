#pragma once
#include <memory>

#include "engine/entity/VelaBehavior.h"

namespace Game {

// Turns the entity at a steady speed.
class CoolTurn : public VelaEngine::VelaBehavior {
public:
    explicit CoolTurn(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "CoolTurn"; }
    // "speed", degrees per second, default 0.
    void Deserialize(const VelaEngine::FieldMap& fields) override;
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<CoolTurn>(newOwner);
    }
    void Update() override;

    float speed = 0.0f;
};

}  // namespace Game
