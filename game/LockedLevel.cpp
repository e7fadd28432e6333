#include "game/LockedLevel.h"

#include <algorithm>
#include <cmath>

#include "engine/core/Time.h"
#include "engine/entity/Entity.h"
#include "engine/entity/Transform.h"
#include "game/SceneQueries.h"

namespace Game {

using namespace VelaEngine;

namespace {
constexpr float kTurn = 6.2831853f;
}

void LockedLevel::Start() {
    rest_ = GetTransform()->GetPosition();
    ListenToButton(GetOwner(), clickListener_);
}

void LockedLevel::OnClick(const Events::EventBase&) {
    PlayOn(*GetOwner(), "sounds/sfx/refuse");
    shakeLeft = kShakeTime;
}

void LockedLevel::Update() {
    if (shakeLeft <= 0.0f) {
        return;
    }
    shakeLeft = std::max(0.0f, shakeLeft - Time::Get().GetDeltaTime());
    // A sideways wobble that dies away, ending where it began.
    const float elapsed = kShakeTime - shakeLeft;
    const float fade = shakeLeft / kShakeTime;
    const float dx = std::sin(elapsed * kShakesPerSecond * kTurn) * kShakeWidth * fade;
    GetTransform()->SetPosition(Vector2(rest_.x + dx, rest_.y));
}

}  // namespace Game
