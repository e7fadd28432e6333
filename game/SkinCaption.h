#pragma once
#include <memory>
#include <string>
#include <vector>

#include "engine/entity/VelaBehavior.h"

namespace Game {

class PlaneSkinSelect;

// Names the skin the skin selection shows, on the entity's Text, and its place among the
// skins ("2 / 4") on the Text of the entity named by "count".
class SkinCaption : public VelaEngine::VelaBehavior {
public:
    explicit SkinCaption(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "SkinCaption"; }
    // "names": the skins' names from the first skin on, separated by commas; "count": the
    // entity for "n / total".
    void Deserialize(const VelaEngine::FieldMap& fields) override;
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override;
    void Start() override;
    void Update() override;

    // The caption texts for a skin; a skin without a name is "Skin " and its number.
    std::string NameOf(int skin, int firstSkin) const;

    std::vector<std::string> names;
    std::string count;

private:
    PlaneSkinSelect* select_ = nullptr;
};

}  // namespace Game
