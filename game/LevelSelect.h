#pragma once
#include <list>
#include <memory>

#include "engine/entity/EntityPath.h"
#include "engine/entity/VelaBehavior.h"

namespace Game {

// Puts the button of every unlocked level on its place-holder and removes the place-holder;
// locked levels keep their buttons where the scene put them.
class LevelSelect : public VelaEngine::VelaBehavior {
public:
    static constexpr int kLevels = 8;

    explicit LevelSelect(VelaEngine::Entity* owner);

    const char* GetTypeName() const override { return "LevelSelect"; }
    // "Level1Button", "Level1Place" ... "Level8Place"; a missing one is logged.
    void Deserialize(const VelaEngine::FieldMap& fields) override;
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<LevelSelect>(newOwner);
    }
    void Start() override;

private:
    // One entity reference; `given` tells a path the scene named from one it left out, which
    // stays empty instead of matching an unnamed entity.
    struct Reference {
        explicit Reference(LevelSelect* owner) : path(&entity, owner) {}
        VelaEngine::Entity* entity = nullptr;
        VelaEngine::EntityPath path;
        bool given = false;
    };
    void Read(const VelaEngine::FieldMap& fields, const std::string& name, Reference& reference);
    static VelaEngine::Entity* Target(const Reference& reference) {
        return reference.given ? reference.entity : nullptr;
    }

    // Button 1, place 1, button 2, ... place 8; a list, so each path's target stays put.
    std::list<Reference> references_;
};

}  // namespace Game
