#include "game/CoolTurn.h"

#include "engine/core/Time.h"
#include "engine/entity/Transform.h"
#include "engine/scene/FieldMap.h"

namespace Game {

using namespace VelaEngine;

void CoolTurn::Deserialize(const FieldMap& fields) {
    speed = fields.Get("speed", 0.0f);
}

void CoolTurn::Update() {
    Transform& transform = *GetTransform();
    transform.SetRotation(transform.GetRotation() + Time::Get().GetDeltaTime() * speed);
}

}  // namespace Game
