#pragma once
#include <memory>

#include "engine/entity/EntityPath.h"
#include "engine/entity/VelaBehavior.h"
#include "engine/scene/Vector2.h"

namespace Game {

// Eases the entity (the camera) towards a point ahead of the plane, half a second along its
// flight.
class FollowPlane : public VelaEngine::VelaBehavior {
public:
    static constexpr float kLookAhead = 0.5f;
    // Share of the remaining way covered per second of frame time.
    static constexpr float kEasing = 2.0f;

    explicit FollowPlane(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "FollowPlane"; }
    // "planeFinder": the plane entity's path; a missing one is logged.
    void Deserialize(const VelaEngine::FieldMap& fields) override;
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<FollowPlane>(newOwner);
    }
    void Update() override;

    VelaEngine::Entity* plane = nullptr;

private:
    VelaEngine::EntityPath planeFinder_{&plane, this};
    bool given_ = false;
    // The shake offset in the position now (CameraShake).
    VelaEngine::Vector2 shakeApplied_;
};

}  // namespace Game
