#pragma once
#include <memory>

#include "engine/entity/Listener.h"
#include "engine/entity/VelaBehavior.h"

namespace Game {

// A button that switches the ghost of the best flight on and off, shows which one is on and
// remembers the choice in the records ("ghost").
class GhostToggler : public VelaEngine::VelaBehavior {
public:
    explicit GhostToggler(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "GhostToggler"; }
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<GhostToggler>(newOwner);
    }
    void Start() override;

private:
    void OnClick(const VelaEngine::Events::EventBase& event);
    void ShowState(bool on);

    VelaEngine::Events::ClassListener<GhostToggler> clickListener_{this, &GhostToggler::OnClick};
};

}  // namespace Game
