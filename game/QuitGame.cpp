#include "game/QuitGame.h"

#include "engine/core/FrontEnd.h"
#include "game/SceneQueries.h"

namespace Game {

using namespace VelaEngine;

void QuitGame::Start() {
    ListenToButton(GetOwner(), clickListener_);
}

void QuitGame::OnClick(const Events::EventBase&) {
    FrontEnd::Get().Quit();
}

}  // namespace Game
