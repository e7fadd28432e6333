#pragma once
#include <memory>

#include "engine/entity/VelaBehavior.h"

namespace Game {

// Removes its entity after 1.5 s of unpaused game time.
class DestroyAfter : public VelaEngine::VelaBehavior {
public:
    static constexpr float kLifetime = 1.5f;

    explicit DestroyAfter(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "DestroyAfter"; }
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<DestroyAfter>(newOwner);
    }
    void Update() override;

    float elapsed = 0.0f;
};

}  // namespace Game
