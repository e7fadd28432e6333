#pragma once
#include <memory>
#include <string>

#include "engine/entity/EntityPath.h"
#include "engine/entity/Listener.h"
#include "engine/entity/VelaBehavior.h"

namespace Game {

// The skin choice: shows the chosen plane and steps through the skins with a previous and a
// next button, wrapping at both ends; every choice is saved at once.
class PlaneSkinSelect : public VelaEngine::VelaBehavior {
public:
    explicit PlaneSkinSelect(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "PlaneSkinSelect"; }
    // "firstSkin", "lastSkin", "prevSkin" and "nextSkin"; missing ones are logged.
    void Deserialize(const VelaEngine::FieldMap& fields) override;
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<PlaneSkinSelect>(newOwner);
    }
    void Start() override;

    // The picture of a skin; the plane in a level uses the same.
    static std::string SkinSprite(int skin);

    int skin = 1;
    int firstSkin = 0;
    int lastSkin = 0;
    VelaEngine::Entity* prevSkin = nullptr;
    VelaEngine::Entity* nextSkin = nullptr;

private:
    void OnPrevious(const VelaEngine::Events::EventBase& event);
    void OnNext(const VelaEngine::Events::EventBase& event);
    void Choose(int newSkin);

    VelaEngine::EntityPath prevPath_{&prevSkin, this};
    VelaEngine::EntityPath nextPath_{&nextSkin, this};
    bool prevGiven_ = false;
    bool nextGiven_ = false;
    VelaEngine::Events::ClassListener<PlaneSkinSelect> previousListener_{
        this, &PlaneSkinSelect::OnPrevious};
    VelaEngine::Events::ClassListener<PlaneSkinSelect> nextListener_{this,
                                                                     &PlaneSkinSelect::OnNext};
};

}  // namespace Game
