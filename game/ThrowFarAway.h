#pragma once
#include <memory>

#include "engine/entity/Listener.h"
#include "engine/entity/VelaBehavior.h"

namespace Game {

// A button that sends its own entity far out of sight, closing the window it belongs to.
class ThrowFarAway : public VelaEngine::VelaBehavior {
public:
    explicit ThrowFarAway(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "ThrowFarAway"; }
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<ThrowFarAway>(newOwner);
    }
    void Start() override;

private:
    void OnClick(const VelaEngine::Events::EventBase& event);

    VelaEngine::Events::ClassListener<ThrowFarAway> clickListener_{this, &ThrowFarAway::OnClick};
};

}  // namespace Game
