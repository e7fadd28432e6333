#include "game/SceneQueries.h"

#include "engine/audio/AudioClip.h"
#include "engine/audio/AudioSource.h"
#include "engine/entity/Transform.h"
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

void PlayOn(VelaEngine::Entity& entity, const std::string& soundName) {
    auto* source = entity.GetComponent<VelaEngine::Audio::AudioSource>();
    if (source == nullptr) {
        return;
    }
    source->SetClip(VelaEngine::Resources::Get().Get<VelaEngine::Audio::AudioClip>(soundName));
    source->Play();
}

}  // namespace Game
