#pragma once
#include <memory>

#include "engine/entity/Listener.h"
#include "engine/entity/VelaBehavior.h"

namespace Game {

// Shows which mouse buttons are held by tinting its picture, and moves up on each click of the
// entity named "Button".
class ClickTinter : public VelaEngine::VelaBehavior {
public:
    explicit ClickTinter(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "ClickTinter"; }
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<ClickTinter>(newOwner);
    }
    void Start() override;
    void Update() override;
    bool IsPassive() const override { return false; }

    static constexpr float kStep = 10.5f;

private:
    void OnClick(const VelaEngine::Events::EventBase& event);

    VelaEngine::Events::ClassListener<ClickTinter> clickListener_{this, &ClickTinter::OnClick};
};

}  // namespace Game
