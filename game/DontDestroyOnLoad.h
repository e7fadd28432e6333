#pragma once
#include <memory>

#include "engine/entity/VelaBehavior.h"

namespace Game {

// Keeps its root entity alive across scene changes.
class DontDestroyOnLoad : public VelaEngine::VelaBehavior {
public:
    explicit DontDestroyOnLoad(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "DontDestroyOnLoad"; }
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<DontDestroyOnLoad>(newOwner);
    }
    void Awake() override;
};

}  // namespace Game
