#include "game/FollowPlane.h"

#include <algorithm>

#include "engine/core/Time.h"
#include "engine/core/VEDebug.h"
#include "engine/entity/Entity.h"
#include "engine/entity/Transform.h"
#include "engine/physics/DynamicBody2D.h"
#include "engine/scene/FieldMap.h"
#include "game/CameraShake.h"

namespace Game {

using namespace VelaEngine;

void FollowPlane::Deserialize(const FieldMap& fields) {
    given_ = fields.TryGet("planeFinder", planeFinder_);
    if (!given_) {
        Log("FollowPlane's planeFinder field not found");
    }
}

void FollowPlane::Update() {
    // A path the scene never gave would match an unnamed entity; follow nothing instead.
    if (!given_ || plane == nullptr) {
        return;
    }
    Vector2 target = plane->GetTransform().GetPosition();
    if (auto* body = plane->GetComponent<DynamicBody2D>()) {
        target += body->GetVelocity() * kLookAhead;
    }
    // A stalled frame (a dragged window, a suspended machine) lands on the target, never past it.
    const float t = std::min(1.0f, kEasing * Time::Get().GetDeltaTime());
    Transform& transform = *GetTransform();
    // A shake lies on top of the easing: last frame's is taken off first, so the path the
    // camera eases along is the same with or without one.
    Vector2 position = transform.GetPosition();
    if (!(shakeApplied_ == Vector2())) {
        position -= shakeApplied_;
    }
    position = position * (1.0f - t) + target * t;
    const auto* shake = GetOwner()->GetComponent<CameraShake>();
    shakeApplied_ = shake != nullptr ? shake->Offset() : Vector2();
    if (!(shakeApplied_ == Vector2())) {
        position += shakeApplied_;
    }
    transform.SetPosition(position);
}

}  // namespace Game
