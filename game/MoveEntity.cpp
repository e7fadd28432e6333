#include "game/MoveEntity.h"

#include "engine/core/VEDebug.h"
#include "engine/entity/Entity.h"
#include "engine/entity/Transform.h"
#include "engine/scene/FieldMap.h"
#include "game/SceneQueries.h"

namespace Game {

using namespace VelaEngine;

void MoveEntity::Deserialize(const FieldMap& fields) {
    if (!fields.TryGet("src", src)) {
        Log("MoveEntity's src field not found");
    }
    if (!fields.TryGet("dst", dst)) {
        Log("MoveEntity's dst field not found");
    }
    doOnStartInstead = fields.Get("doOnStartInstead", false);
}

void MoveEntity::Start() {
    if (doOnStartInstead) {
        Move();
    } else {
        ListenToButton(GetOwner(), clickListener_);
    }
}

void MoveEntity::OnClick(const Events::EventBase&) {
    Move();
}

void MoveEntity::Move() const {
    // A name the scene left out would otherwise match an unnamed entity.
    if (src.empty() || dst.empty()) {
        return;
    }
    Entity* moved = Entity::Find(src);
    Entity* place = Entity::Find(dst);
    if (moved == nullptr || place == nullptr) {
        return;
    }
    moved->GetTransform().SetPosition(place->GetTransform().GetPosition());
}

}  // namespace Game
