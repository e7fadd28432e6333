#include "game/GameFactory.h"

namespace Game {

// The game's behaviours are not written yet, so the factory makes none of them.
VelaEngine::Component* CreateGameComponent(const std::string&, VelaEngine::Entity&) {
    return nullptr;
}

}  // namespace Game
