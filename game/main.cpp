#include <cstdint>
#include <ctime>

#include "engine/core/FrontEnd.h"
#include "game/GameFactory.h"

int main() {
    using VelaEngine::FrontEnd;

    const VelaEngine::ComponentFactory factory = Game::CreateGameComponent;
    const std::string firstScene = "scenes/splash";
    void* const instance = nullptr;
    const uint32_t seed = static_cast<uint32_t>(std::time(nullptr));
    const VelaEngine::Vector2 gravity(0.0f, -200.0f);
    const std::string title = "Fleetwing";
    const VelaEngine::Vector2 windowSize(1600.0f, 900.0f);
    const bool fullscreen = true;
    const bool cursorVisible = false;
    const unsigned frameRate = 60;
    const bool console = false;

    FrontEnd::Create();
    FrontEnd::Get().Init(factory, firstScene, instance, seed, gravity, title, windowSize,
                         fullscreen, cursorVisible, frameRate, console);
    FrontEnd::Get().Run();
    return 0;
}
