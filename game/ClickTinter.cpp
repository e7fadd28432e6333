#include "game/ClickTinter.h"

#include "engine/entity/Entity.h"
#include "engine/entity/Transform.h"
#include "engine/graphics/Image.h"
#include "engine/input/Input.h"
#include "game/SceneQueries.h"

namespace Game {

using namespace VelaEngine;

void ClickTinter::Start() {
    ListenToButton(Entity::Find("Button"), clickListener_);
}

void ClickTinter::OnClick(const Events::EventBase&) {
    Transform& transform = *GetTransform();
    transform.SetPosition(transform.GetPosition() + Vector2(0.0f, kStep));
}

void ClickTinter::Update() {
    Input& input = Input::Get();
    const bool left = input.GetState(MouseLeftHeld);
    const bool right = input.GetState(MouseRightHeld);
    auto* image = GetOwner()->GetComponent<Graphics::Image>();
    if (image == nullptr) {
        return;
    }
    if (!left && !right) {
        image->SetTint(Graphics::Color(1.0f, 1.0f, 1.0f, 1.0f));
    } else {
        image->SetTint(Graphics::Color(left ? 1.0f : 0.0f, 0.0f, right ? 1.0f : 0.0f, 1.0f));
    }
}

}  // namespace Game
