#pragma once
#include <memory>

#include "engine/entity/Listener.h"
#include "engine/entity/VelaBehavior.h"

namespace Game {

// A button that switches full screen on and off, shows which one is on and remembers the
// choice in the records for the next start.
class FullscreenToggler : public VelaEngine::VelaBehavior {
public:
    explicit FullscreenToggler(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "FullscreenToggler"; }
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<FullscreenToggler>(newOwner);
    }
    void Start() override;
    void Update() override;

private:
    void OnClick(const VelaEngine::Events::EventBase& event);
    void ShowState();

    bool shownOn_ = false;
    VelaEngine::Events::ClassListener<FullscreenToggler> clickListener_{
        this, &FullscreenToggler::OnClick};
};

}  // namespace Game
