#include "game/FullscreenToggler.h"

#include "engine/graphics/Display.h"
#include "engine/persistence/Records.h"
#include "game/SceneQueries.h"

namespace Game {

using namespace VelaEngine;

void FullscreenToggler::Start() {
    ListenToButton(GetOwner(), clickListener_);
    ShowState();
}

void FullscreenToggler::OnClick(const Events::EventBase&) {
    Display& display = Display::Get();
    display.SetFullscreen(!display.IsFullscreen());
    // Remembered, so the next start opens the way the player left it.
    Records& records = Records::Get();
    records.SetBool("fullScreen", display.IsFullscreen());
    records.Save();
    ShowState();
}

void FullscreenToggler::ShowState() {
    const bool on = Display::Get().IsFullscreen();
    ShowSprite(*GetOwner(), on ? "sprites/buttons/fullscreenon" : "sprites/buttons/fullscreenoff");
}

}  // namespace Game
