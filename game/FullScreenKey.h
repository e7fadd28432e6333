#pragma once
#include <memory>

#include "engine/entity/VelaBehavior.h"

namespace Game {

// F11 switches full screen on and off, in every screen, as the options' button does.
class FullScreenKey : public VelaEngine::VelaBehavior {
public:
    explicit FullScreenKey(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "FullScreenKey"; }
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<FullScreenKey>(newOwner);
    }
    void Update() override;
};

}  // namespace Game
