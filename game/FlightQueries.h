#pragma once
// Lookups the flight behaviours share: the entities and components a level must provide,
// and every entity of one name.
#include <string>
#include <vector>

#include "engine/core/VEDebug.h"
#include "engine/entity/Entity.h"
#include "engine/scene/Vector2.h"

namespace Game {

// The first entity of the current scene with that name; a level without it is a content
// error, reported on behalf of `user`.
VelaEngine::Entity& RequireEntity(const std::string& name, const std::string& user);

// The entity's first T; a missing one is a content error naming the entity and `user`.
template <class T>
T& RequireComponent(VelaEngine::Entity& entity, const char* typeName, const std::string& user) {
    T* found = entity.GetComponent<T>();
    if (found == nullptr) {
        VelaEngine::Fail(user + " needs a " + typeName + " on " + entity.GetName());
    }
    return *found;
}

// Every entity of the current scene with that name, in tree order (parents before children).
std::vector<VelaEngine::Entity*> FindAllNamed(const std::string& name);

// World position of the entity's transform.
VelaEngine::Point2 WorldPositionOf(VelaEngine::Entity& entity);

// atan2 of the vector, in degrees.
float DirectionDegrees(const VelaEngine::Vector2& v);

}  // namespace Game
