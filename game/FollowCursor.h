#pragma once
#include <memory>

#include "engine/entity/VelaBehavior.h"
#include "engine/scene/Vector2.h"

namespace Game {

// Moves the entity along with the cursor; an offset given by others is kept.
class FollowCursor : public VelaEngine::VelaBehavior {
public:
    explicit FollowCursor(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "FollowCursor"; }
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<FollowCursor>(newOwner);
    }
    void Start() override;
    void Update() override;

    VelaEngine::Point2 lastCursor;
};

}  // namespace Game
