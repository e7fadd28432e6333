#include <cstdint>
#include <ctime>

#include "engine/core/FrontEnd.h"
#include "game/GameStart.h"

int main() {
    Game::StartOptions options;
    options.seed = static_cast<uint32_t>(std::time(nullptr));
    options.fullscreen = true;
    Game::StartGame(options);
    VelaEngine::FrontEnd::Get().Run();
    return 0;
}
