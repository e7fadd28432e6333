#include "game/SceneQueries.h"

#include "engine/audio/AudioClip.h"
#include "engine/audio/AudioSource.h"
#include "engine/entity/Transform.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/Sprite.h"
#include "engine/input/Button.h"
#include "engine/scene/Resources.h"

namespace Game {

bool MoveEntityTo(const std::string& name, float x, float y) {
    VelaEngine::Entity* entity = VelaEngine::Entity::Find(name);
    if (entity == nullptr) {
        return false;
    }
    entity->GetTransform().SetPosition(VelaEngine::Vector2(x, y));
    return true;
}

bool ListenToButton(VelaEngine::Entity* entity, VelaEngine::Events::Listener& listener) {
    if (entity == nullptr) {
        return false;
    }
    auto* button = entity->GetComponent<VelaEngine::UI::Button>();
    if (button == nullptr) {
        return false;
    }
    button->GetClickListeners().Register(listener);
    return true;
}

void ShowSprite(VelaEngine::Entity& entity, const std::string& spriteName) {
    auto* image = entity.GetComponent<VelaEngine::Graphics::Image>();
    if (image == nullptr) {
        return;
    }
    image->SetSprite(VelaEngine::Resources::Get().Get<VelaEngine::Graphics::Sprite>(spriteName));
}

void PlayOn(VelaEngine::Entity& entity, const std::string& soundName) {
    auto* source = entity.GetComponent<VelaEngine::Audio::AudioSource>();
    if (source == nullptr) {
        return;
    }
    source->SetClip(VelaEngine::Resources::Get().Get<VelaEngine::Audio::AudioClip>(soundName));
    source->Play();
}

}  // namespace Game
