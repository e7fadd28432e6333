#pragma once
#include <memory>
#include <string>

#include "engine/entity/VelaBehavior.h"

namespace Game {

// A star marker: lights up when the star it stands for has been found.
class StarFound : public VelaEngine::VelaBehavior {
public:
    explicit StarFound(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "StarFound"; }
    // "id": level, underscore, star number, as in 3_2.
    void Deserialize(const VelaEngine::FieldMap& fields) override;
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<StarFound>(newOwner);
    }
    void Start() override;

    std::string id;
};

}  // namespace Game
