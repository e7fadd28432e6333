#pragma once
#include <memory>

#include "engine/entity/VelaBehavior.h"
#include "engine/scene/Vector2.h"

namespace Game {

// Shakes the camera briefly when the plane crashes, whether the checkpoint rescues it or the
// level is lost. The shake is an offset that FollowPlane on the same entity lays over its own
// easing, which runs exactly as without it.
class CameraShake : public VelaEngine::VelaBehavior {
public:
    explicit CameraShake(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "CameraShake"; }
    // "duration" (seconds, default 0.45) and "strength" (units at the start, default 16).
    void Deserialize(const VelaEngine::FieldMap& fields) override;
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override;
    void Update() override;

    void Begin();
    bool IsShaking() const { return left > 0.0f; }
    // Where the shake puts the camera now, relative to where it would be; zero when still.
    VelaEngine::Vector2 Offset() const;

    float duration = 0.45f;
    float strength = 16.0f;
    float left = 0.0f;
    bool rescueSeen = false;
    bool crashSeen = false;
};

}  // namespace Game
