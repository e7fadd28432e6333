#pragma once
#include <memory>

#include "engine/entity/Listener.h"
#include "engine/entity/VelaBehavior.h"

namespace Game {

// A button that erases every saved record, settings included, and shows the confirmation.
class ResetData : public VelaEngine::VelaBehavior {
public:
    explicit ResetData(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "ResetData"; }
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<ResetData>(newOwner);
    }
    void Start() override;

private:
    void OnClick(const VelaEngine::Events::EventBase& event);

    VelaEngine::Events::ClassListener<ResetData> clickListener_{this, &ResetData::OnClick};
};

}  // namespace Game
