#pragma once
#include <memory>

#include "engine/entity/VelaBehavior.h"

namespace VelaEngine::Graphics {
class Sprite;
}

namespace Game {

// A fixed fan: blows the plane away from itself while the plane is in front of it (within
// 45 degrees of its facing) and closer than 500 units.
class HazardWind : public VelaEngine::VelaBehavior {
public:
    static constexpr float kHalfAngle = 45.0f;
    static constexpr float kReach = 500.0f;
    static constexpr float kStrength = 2500.0f;

    explicit HazardWind(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "HazardWind"; }
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<HazardWind>(newOwner);
    }
    void Start() override;
    void Update() override;

    // Degrees between the fan's facing and the direction to the plane.
    float planeAngle = 0.0f;
    std::shared_ptr<VelaEngine::Graphics::Sprite> windSprite;
};

}  // namespace Game
