#include "game/GhostToggler.h"

#include "engine/persistence/Records.h"
#include "game/SavedValues.h"
#include "game/SceneQueries.h"

namespace Game {

using namespace VelaEngine;

void GhostToggler::Start() {
    ListenToButton(GetOwner(), clickListener_);
    ShowState(SavedGhostOn());
}

void GhostToggler::OnClick(const Events::EventBase&) {
    const bool on = !SavedGhostOn();
    Records& records = Records::Get();
    records.SetBool("ghost", on);
    records.Save();
    ShowState(on);
}

void GhostToggler::ShowState(bool on) {
    ShowSprite(*GetOwner(), on ? "sprites/buttons/ghoston" : "sprites/buttons/ghostoff");
}

}  // namespace Game
