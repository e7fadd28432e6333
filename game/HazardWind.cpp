#include "game/HazardWind.h"

#include <algorithm>
#include <cmath>

#include "engine/core/Time.h"
#include "engine/entity/Angles.h"
#include "engine/entity/Transform.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/graphics/Sprite.h"
#include "engine/physics/DynamicBody2D.h"
#include "engine/scene/Resources.h"
#include "game/FlightQueries.h"

namespace Game {

using namespace VelaEngine;

namespace {
const char* const kUser = "HazardWind";
}  // namespace

void HazardWind::Start() {
    windSprite = Resources::Get().Get<Graphics::Sprite>("sprites/gameplay/entities/wind");
}

void HazardWind::Update() {
    Entity& airplane = RequireEntity("Airplane", kUser);
    const Vector2 d = WorldPositionOf(airplane) - WorldPositionOf(*GetOwner());
    const float distance = d.Length();
    const float r = GetTransform()->GetRotation() * kDegToRad;
    const Vector2 facing(Cos(r), Sin(r));
    // Rounding can put the cosine of a plane dead ahead just past 1, where acos has no
    // answer and the plane would escape the fan.
    const float cosine = distance > 0.0f ? std::clamp(facing.Dot(d) / distance, -1.0f, 1.0f) : 1.0f;
    planeAngle = std::acos(cosine) * kRadToDeg;

    // Paused particles stand still: more of them would only pile up on the fan.
    auto* particles = GetOwner()->GetComponent<Graphics::ParticleSystem>();
    if (particles != nullptr && !Time::Get().IsPaused()) {
        particles->Emit(2, 5.0f, 100.0f, 0.7f, 15.0f, 0.0f, windSprite, Vector2(1500.0f, 0.0f));
    }
    if (planeAngle < kHalfAngle && distance < kReach && distance > 0.0f) {
        const Vector2 impulse =
            d / distance * ((1.0f - distance / kReach) * kStrength * Time::Get().GetDeltaTime());
        RequireComponent<DynamicBody2D>(airplane, "DynamicBody2D", kUser).ApplyImpulse(impulse);
    }
}

}  // namespace Game
