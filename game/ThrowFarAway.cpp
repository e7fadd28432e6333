#include "game/ThrowFarAway.h"

#include "engine/entity/Transform.h"
#include "game/SceneQueries.h"

namespace Game {

using namespace VelaEngine;

void ThrowFarAway::Start() {
    ListenToButton(GetOwner(), clickListener_);
}

void ThrowFarAway::OnClick(const Events::EventBase&) {
    GetTransform()->SetPosition(Vector2(-1000000000.0f, -100000000.0f));
}

}  // namespace Game
