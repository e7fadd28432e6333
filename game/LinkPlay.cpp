#include "game/LinkPlay.h"

#include "engine/scene/FieldMap.h"
#include "engine/scene/SceneManager.h"
#include "game/SceneQueries.h"

namespace Game {

using namespace VelaEngine;

void LinkPlay::Deserialize(const FieldMap& fields) {
    sceneName = fields.Get("sceneName", "");
    waitOneFrame = fields.Get("waitOneFrame", false);
}

void LinkPlay::Start() {
    ListenToButton(GetOwner(), clickListener_);
}

void LinkPlay::OnClick(const Events::EventBase&) {
    clicked = true;
    if (!waitOneFrame) {
        SceneManagement::SceneManager::Get().RequestChange(sceneName);
    }
    // Later updates repeat the request until the scene changes.
    waitOneFrame = true;
}

void LinkPlay::Update() {
    if (!clicked) {
        return;
    }
    if (waited) {
        SceneManagement::SceneManager::Get().RequestChange(sceneName);
    }
    waited = true;
}

}  // namespace Game
