#include "game/Cannon.h"

#include "engine/core/Time.h"
#include "engine/entity/Angles.h"
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
const char* const kUser = "Cannon";
}  // namespace

void Cannon::Deserialize(const FieldMap& fields) {
    angle = fields.Get("angle", 0.0f);
    fireEvery = PositiveField(fields, kUser, "fireEvery", kFireEvery);
    range = PositiveField(fields, kUser, "range", kCannonRange);
    GetTransform()->SetRotation(angle);
}

void Cannon::Update() {
    Time& time = Time::Get();
    if (time.IsPaused()) {
        return;
    }
    fireTimer += time.GetDeltaTime();
    if (fireTimer > fireEvery) {
        fireTimer = 0.0f;
        Fire();
    }
}

void Cannon::Fire() {
    Entity& airplane = RequireEntity("Airplane", kUser);
    const float distance = (WorldPositionOf(airplane) - WorldPositionOf(*GetOwner())).Length();
    if (distance >= range) {
        TintCannon(*GetOwner(), Graphics::Color(1.0f, 1.0f, 1.0f, 1.0f));
        return;
    }
    PlayOn(*GetOwner(), "sounds/sfx/cannonshoot");
    std::shared_ptr<Entity> ball = SpawnBall();
    const float a = angle * kDegToRad;
    ball->GetComponent<DynamicBody2D>()->SetVelocity(Vector2(Cos(a), Sin(a)) * kCannonBallSpeed);
}

std::shared_ptr<Entity> Cannon::SpawnBall() {
    return SpawnCannonBall("CannonBall", GetTransform()->GetPosition(), angle, kUser);
}

void Cannon::OnCollision(Entity* const& other) {
    KnockPlaneAway(*GetOwner(), *other, kUser);
}

}  // namespace Game
