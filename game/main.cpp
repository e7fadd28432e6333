#include <cstdint>
#include <ctime>

#include "game/GameStart.h"

int main() {
    Game::StartOptions options;
    options.seed = static_cast<uint32_t>(std::time(nullptr));
    options.fullscreen = true;
    return Game::PlayGame(options);
}
