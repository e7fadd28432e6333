#include "game/CreditsScroller.h"

#include "engine/core/Time.h"
#include "engine/entity/Transform.h"
#include "engine/input/Input.h"
#include "engine/scene/FieldMap.h"

namespace Game {

using namespace VelaEngine;

void CreditsScroller::Deserialize(const FieldMap& fields) {
    speed = fields.Get("speed", kSpeed);
    fastSpeed = fields.Get("fastSpeed", kFastSpeed);
}

std::shared_ptr<Component> CreditsScroller::Clone(Entity* newOwner) const {
    auto copy = MakePacked<CreditsScroller>(newOwner);
    copy->speed = speed;
    copy->fastSpeed = fastSpeed;
    return copy;
}

void CreditsScroller::Update() {
    const float pace = Input::Get().GetState(SpaceHeld) ? fastSpeed : speed;
    Transform& transform = *GetTransform();
    Vector2 position = transform.GetPosition();
    position.y += pace * Time::Get().GetDeltaTime();
    if (position.y > kEnd) {
        position = Vector2(0.0f, kRestartY);
    }
    transform.SetPosition(position);
}

}  // namespace Game
