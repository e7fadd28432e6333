#include "game/Patrol.h"

#include "engine/core/Time.h"
#include "engine/entity/Entity.h"
#include "engine/entity/Transform.h"
#include "engine/scene/FieldMap.h"
#include "game/FieldChecks.h"

namespace Game {

using namespace VelaEngine;

void Patrol::Deserialize(const FieldMap& fields) {
    speed = PositiveField(fields, "Patrol", "speed", kSpeed);
}

void Patrol::Update() {
    const std::string suffix = headingToA ? " WPA" : " WPB";
    Entity* waypoint = Entity::Find(GetOwner()->GetName() + suffix);
    if (waypoint == nullptr) {
        return;
    }
    Transform& transform = *GetTransform();
    const Vector2 toWaypoint = waypoint->GetTransform().GetPosition() - transform.GetPosition();
    const float distance = toWaypoint.Length();
    if (distance >= kArrival) {
        const Vector2 step = toWaypoint / distance * (speed * Time::Get().GetDeltaTime());
        transform.SetPosition(transform.GetPosition() + step);
    } else {
        headingToA = !headingToA;
    }
}

}  // namespace Game
