#include <cstdint>
#include <ctime>
#include <iostream>

#include "game/CommandLine.h"
#include "game/GameStart.h"

int main(int argc, char** argv) {
    const Game::CommandLineAnswer answer =
        Game::AnswerCommandLine(argc, argv, std::cout, std::cerr);
    if (!answer.play) {
        return answer.status;
    }
    Game::StartOptions options;
    options.seed = static_cast<uint32_t>(std::time(nullptr));
    options.fullscreen = true;
    return Game::PlayGame(options);
}
