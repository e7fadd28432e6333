#include "game/FlightQueries.h"

#include <cmath>

#include "engine/entity/Angles.h"
#include "engine/entity/SceneRoots.h"
#include "engine/entity/Transform.h"

namespace Game {

using namespace VelaEngine;

namespace {
void CollectNamed(Entity& entity, const std::string& name, std::vector<Entity*>& out) {
    if (entity.GetName() == name) {
        out.push_back(&entity);
    }
    for (const auto& child : entity.GetChildren()) {
        CollectNamed(*child, name, out);
    }
}
}  // namespace

Entity& RequireEntity(const std::string& name, const std::string& user) {
    Entity* entity = Entity::Find(name);
    if (entity == nullptr) {
        Fail(user + " needs an entity named " + name);
    }
    return *entity;
}

std::vector<Entity*> FindAllNamed(const std::string& name) {
    std::vector<Entity*> found;
    if (const EntityList* roots = GetSceneRoots()) {
        for (const auto& root : *roots) {
            CollectNamed(*root, name, found);
        }
    }
    return found;
}

Point2 WorldPositionOf(Entity& entity) {
    return entity.GetTransform().GetWorldPosition();
}

float DirectionDegrees(const Vector2& v) {
    return std::atan2(v.y, v.x) * kRadToDeg;
}

}  // namespace Game
