#pragma once
#include <memory>

#include "engine/entity/Listener.h"
#include "engine/entity/VelaBehavior.h"

namespace Game {

// A button that raises or lowers the volume by a step, saves it and moves the volume bar.
class VolumeChanger : public VelaEngine::VelaBehavior {
public:
    explicit VolumeChanger(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "VolumeChanger"; }
    // "volChangePerClick", default 0.05; a negative step makes a lowering button.
    void Deserialize(const VelaEngine::FieldMap& fields) override;
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<VolumeChanger>(newOwner);
    }
    void Start() override;

    // Puts "VolBar" between "VolBarMin" and "VolBarMax" as far as the volume goes.
    static void PlaceVolumeBar();

    float volChangePerClick = 0.05f;

private:
    void OnClick(const VelaEngine::Events::EventBase& event);

    VelaEngine::Events::ClassListener<VolumeChanger> clickListener_{this, &VolumeChanger::OnClick};
};

}  // namespace Game
