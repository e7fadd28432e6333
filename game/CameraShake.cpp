#include "game/CameraShake.h"

#include <cmath>

#include "engine/core/Time.h"
#include "engine/scene/FieldMap.h"
#include "game/GameManager.h"
#include "game/PlaneRotator.h"
#include "game/SceneQueries.h"

namespace Game {

using namespace VelaEngine;

namespace {
constexpr float kTwoPi = 6.2831853f;
// Two unrelated frequencies, so the camera wanders about instead of swinging on a line; no
// random numbers, which would shift every later draw of the game's own.
constexpr float kShakeX = 13.0f;
constexpr float kShakeY = 17.0f;
}  // namespace

void CameraShake::Deserialize(const FieldMap& fields) {
    duration = fields.Get("duration", duration);
    strength = fields.Get("strength", strength);
}

std::shared_ptr<Component> CameraShake::Clone(Entity* newOwner) const {
    auto copy = MakePacked<CameraShake>(newOwner);
    copy->duration = duration;
    copy->strength = strength;
    return copy;
}

void CameraShake::Update() {
    const PlaneRotator* plane = FindInScene<PlaneRotator>();
    if (!rescueSeen && plane != nullptr && plane->checkpointUsed) {
        rescueSeen = true;
        Begin();
    }
    const GameManager* manager = FindInScene<GameManager>();
    if (!crashSeen && manager != nullptr && manager->levelEnded && !manager->levelWon) {
        crashSeen = true;
        Begin();
    }
    if (left > 0.0f) {
        left -= Time::Get().GetDeltaTime();
    }
}

void CameraShake::Begin() {
    left = duration;
}

Vector2 CameraShake::Offset() const {
    if (left <= 0.0f || duration <= 0.0f) {
        return Vector2();
    }
    const float fade = left / duration;
    const float amplitude = strength * fade * fade;
    const float age = duration - left;
    return Vector2(std::sin(age * kTwoPi * kShakeX) * amplitude,
                   std::sin(age * kTwoPi * kShakeY + 1.1f) * amplitude);
}

}  // namespace Game
