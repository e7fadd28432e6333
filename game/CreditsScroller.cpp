#include "game/CreditsScroller.h"

#include "engine/core/Time.h"
#include "engine/entity/Transform.h"
#include "engine/input/Input.h"

namespace Game {

using namespace VelaEngine;

void CreditsScroller::Update() {
    const float speed = Input::Get().GetState(SpaceHeld) ? kFastSpeed : kSpeed;
    Transform& transform = *GetTransform();
    Vector2 position = transform.GetPosition();
    position.y += speed * Time::Get().GetDeltaTime();
    if (position.y > kEnd) {
        position = Vector2(0.0f, kRestartY);
    }
    transform.SetPosition(position);
}

}  // namespace Game
