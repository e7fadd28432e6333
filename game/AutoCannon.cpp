#include "game/AutoCannon.h"

#include "engine/core/Time.h"
#include "engine/entity/Transform.h"
#include "engine/physics/DynamicBody2D.h"
#include "engine/scene/FieldMap.h"
#include "game/CannonBall.h"
#include "game/CannonRules.h"
#include "game/FieldChecks.h"
#include "game/FlightQueries.h"
#include "game/SceneQueries.h"

namespace Game {

using namespace VelaEngine;

namespace {
const char* const kUser = "AutoCannon";
}  // namespace

void AutoCannon::Deserialize(const FieldMap& fields) {
    fireEvery = PositiveField(fields, kUser, "fireEvery", kFireEvery);
    range = PositiveField(fields, kUser, "range", kCannonRange);
}

void AutoCannon::Start() {
    airplane = RequireEntity("Airplane", kUser).weak_from_this();
}

Entity& AutoCannon::Airplane() {
    std::shared_ptr<Entity> plane = airplane.lock();
    if (plane == nullptr) {
        plane = RequireEntity("Airplane", kUser).shared_from_this();
        airplane = plane;
    }
    return *plane;
}

void AutoCannon::Update() {
    Time& time = Time::Get();
    if (time.IsPaused()) {
        return;
    }
    const Vector2 d = WorldPositionOf(Airplane()) - WorldPositionOf(*GetOwner());
    fireTimer += time.GetDeltaTime();
    if (fireTimer > fireEvery) {
        fireTimer = 0.0f;
        const float distance = d.Length();
        if (distance >= range) {
            TintCannon(*GetOwner(), Graphics::Color(1.0f, 1.0f, 1.0f, 1.0f));
        } else {
            PlayOn(*GetOwner(), "sounds/sfx/cannonshoot");
            TintCannon(*GetOwner(), Graphics::Color(1.0f, 0.0f, 0.0f, 1.0f));
            std::shared_ptr<Entity> ball = SpawnBall();
            if (distance > 0.0f) {
                ball->GetComponent<DynamicBody2D>()->SetVelocity(d / distance * kCannonBallSpeed);
            }
        }
    }
    GetTransform()->SetRotation(DirectionDegrees(d));
}

std::shared_ptr<Entity> AutoCannon::SpawnBall() {
    return SpawnCannonBall("AutoCannonBall", GetTransform()->GetPosition(), 0.0f, kUser);
}

void AutoCannon::OnCollision(Entity* const& other) {
    KnockPlaneAway(*GetOwner(), *other, kUser);
}

}  // namespace Game
