// The game's own start, as its entry does it, up to the first picture of the splash scene.
// Prints "first frame presented" right after that frame's swap and quits through the normal
// path, for a parent that times it from spawn.
#include <cstdint>
#include <cstdio>
#include <ctime>

#include "engine/core/FrontEnd.h"
#include "game/GameStart.h"

int main() {
    Game::StartOptions options;
    options.seed = static_cast<uint32_t>(std::time(nullptr));
    options.fullscreen = true;
    Game::StartGame(options);
    VelaEngine::FrameHooks hooks;
    hooks.afterPresent = [](unsigned frame) {
        if (frame == 1) {
            std::puts("first frame presented");
            std::fflush(stdout);
            VelaEngine::FrontEnd::Get().Quit();
        }
    };
    VelaEngine::FrontEnd::Get().SetFrameHooks(hooks);
    VelaEngine::FrontEnd::Get().Run();
    Game::EndGame();
    return 0;
}
