#pragma once
#include <string>

#include "engine/scene/ComponentFactory.h"

namespace Game {

// Makes the game's own components by type name; null for names the game does not make.
VelaEngine::Component* CreateGameComponent(const std::string& typeName, VelaEngine::Entity& owner);

}  // namespace Game
