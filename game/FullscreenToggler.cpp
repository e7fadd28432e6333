#include "game/FullscreenToggler.h"

#include "engine/graphics/Display.h"
#include "game/FullScreenChoice.h"
#include "game/SceneQueries.h"

namespace Game {

using namespace VelaEngine;

void FullscreenToggler::Start() {
    ListenToButton(GetOwner(), clickListener_);
    ShowState();
}

void FullscreenToggler::OnClick(const Events::EventBase&) {
    SwitchFullScreen();
    ShowState();
}

void FullscreenToggler::Update() {
    // F11 may have switched it since.
    if (Display::Get().IsFullscreen() != shownOn_) {
        ShowState();
    }
}

void FullscreenToggler::ShowState() {
    const bool on = Display::Get().IsFullscreen();
    shownOn_ = on;
    ShowSprite(*GetOwner(), on ? "sprites/buttons/fullscreenon" : "sprites/buttons/fullscreenoff");
}

}  // namespace Game
