#pragma once
#include <memory>

#include "engine/entity/VelaBehavior.h"

namespace Game {

// Goes back and forth between the entities named after its own with " WPA" and " WPB".
class Patrol : public VelaEngine::VelaBehavior {
public:
    explicit Patrol(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "Patrol"; }
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        auto copy = MakePacked<Patrol>(newOwner);
        copy->speed = speed;
        return copy;
    }
    // "speed", units per second, default kSpeed.
    void Deserialize(const VelaEngine::FieldMap& fields) override;
    void Update() override;

    static constexpr float kSpeed = 100.0f;
    // Closer than this, the waypoint counts as reached.
    static constexpr float kArrival = 20.0f;
    bool headingToA = true;
    float speed = kSpeed;
};

}  // namespace Game
