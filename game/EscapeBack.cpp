#include "game/EscapeBack.h"

#include "engine/entity/Entity.h"
#include "engine/input/Button.h"
#include "engine/input/Input.h"
#include "engine/scene/FieldMap.h"

namespace Game {

using namespace VelaEngine;

void EscapeBack::Deserialize(const FieldMap& fields) {
    button = fields.Get("button", button.c_str());
}

std::shared_ptr<Component> EscapeBack::Clone(Entity* newOwner) const {
    auto copy = MakePacked<EscapeBack>(newOwner);
    copy->button = button;
    return copy;
}

void EscapeBack::Update() {
    if (!Input::Get().GetState(EscapePressed)) {
        return;
    }
    // An empty name would find an unnamed entity.
    Entity* target = button.empty() ? nullptr : Entity::Find(button);
    if (auto* back = target != nullptr ? target->GetComponent<UI::Button>() : nullptr) {
        back->Press();
    }
}

}  // namespace Game
