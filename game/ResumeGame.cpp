#include "game/ResumeGame.h"

#include "engine/core/Time.h"
#include "engine/input/Input.h"
#include "game/LevelPause.h"
#include "game/SceneQueries.h"

namespace Game {

using namespace VelaEngine;

void ResumeGame::Start() {
    ListenToButton(GetOwner(), clickListener_);
}

void ResumeGame::OnClick(const Events::EventBase&) {
    resumePending = Time::Get().IsPaused();
}

void ResumeGame::Update() {
    if (!Time::Get().IsPaused()) {
        resumePending = false;
    } else if (resumePending && !Input::Get().GetState(MouseLeftHeld)) {
        resumePending = false;
        ResumeLevel();
    }
}

}  // namespace Game
