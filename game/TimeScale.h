#pragma once
#include <memory>

#include "engine/entity/VelaBehavior.h"

namespace Game {

// Slow motion at a quarter speed while the right mouse button is held.
class TimeScale : public VelaEngine::VelaBehavior {
public:
    static constexpr float kSlowMotion = 0.25f;

    explicit TimeScale(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "TimeScale"; }
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<TimeScale>(newOwner);
    }
    void Update() override;
};

}  // namespace Game
