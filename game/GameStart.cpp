#include "game/GameStart.h"

#include "engine/core/FrontEnd.h"
#include "engine/core/ServiceShutdown.h"
#include "engine/scene/Vector2.h"

namespace Game {

void StartGame(const StartOptions& options) {
    void* const instance = nullptr;
    const VelaEngine::Vector2 gravity(0.0f, -200.0f);
    const std::string title = "Fleetwing";
    const VelaEngine::Vector2 windowSize(options.width, options.height);
    const bool cursorVisible = false;
    const unsigned frameRate = 60;
    const bool console = false;
    VelaEngine::FrontEnd::Create();
    VelaEngine::FrontEnd::Get().SetAssetPath(options.assets);
    VelaEngine::FrontEnd::Get().Init(options.factory, options.firstScene, instance, options.seed,
                                     gravity, title, windowSize, options.fullscreen, cursorVisible,
                                     frameRate, console);
}

void EndGame() {
    VelaEngine::ShutDownServices();
}

int PlayGame(const StartOptions& options) {
    StartGame(options);
    VelaEngine::FrontEnd::Get().Run();
    EndGame();
    return 0;
}

}  // namespace Game
