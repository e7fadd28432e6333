#pragma once
#include <memory>

#include "engine/entity/VelaBehavior.h"

namespace Game {

// On the win flag: the plane touching it wins the level and shows the win window.
class GameWin : public VelaEngine::VelaBehavior {
public:
    explicit GameWin(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "GameWin"; }
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<GameWin>(newOwner);
    }
    void OnCollision(VelaEngine::Entity* const& other) override;
};

}  // namespace Game
