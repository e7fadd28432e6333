#pragma once
#include <cstdint>
#include <string>

#include "engine/scene/ComponentFactory.h"
#include "game/GameFactory.h"

namespace Game {

// What may differ between the game, the headless runner, tests, benchmarks and fuzzers; every
// other start-up value (gravity, title, frame rate, cursor) is the game's and lives in one place.
struct StartOptions {
    std::string assets = "assets";
    std::string firstScene = "scenes/splash";
    uint32_t seed = 1;
    float width = 1600.0f;
    float height = 900.0f;
    bool fullscreen = false;
    VelaEngine::ComponentFactory factory = CreateGameComponent;
};

// Creates the FrontEnd and runs its Init; the caller then runs the loop.
void StartGame(const StartOptions& options);

// Ends what StartGame began, before the entry returns: every service, the sound system, the
// window and its GL context, in order.
void EndGame();

// The game's whole run: start, the main loop until a quit or the window's close, the end.
// Returns the program's exit status.
int PlayGame(const StartOptions& options);

}  // namespace Game
