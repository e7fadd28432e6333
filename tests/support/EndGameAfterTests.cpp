// A test that started the game ends it before the process exits, as the game's entry does:
// fonts, sounds and the window then go through their own shutdown, and the leak check sees
// only what was really lost.
#include <gtest/gtest.h>

#include "engine/core/FrontEnd.h"
#include "game/GameStart.h"

namespace {

class EndGameAfterTests : public testing::Environment {
public:
    void TearDown() override {
        if (VelaEngine::FrontEnd::Exists()) {
            Game::EndGame();
        }
    }
};

const testing::Environment* const kEndGame =
    testing::AddGlobalTestEnvironment(new EndGameAfterTests);

}  // namespace
