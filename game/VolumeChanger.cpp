#include "game/VolumeChanger.h"

#include "engine/audio/AudioManager.h"
#include "engine/entity/Entity.h"
#include "engine/entity/Transform.h"
#include "engine/persistence/Records.h"
#include "engine/scene/FieldMap.h"
#include "game/SceneQueries.h"

namespace Game {

using namespace VelaEngine;

void VolumeChanger::Deserialize(const FieldMap& fields) {
    volChangePerClick = fields.Get("volChangePerClick", 0.05f);
}

void VolumeChanger::Start() {
    ListenToButton(GetOwner(), clickListener_);
    PlaceVolumeBar();
}

void VolumeChanger::OnClick(const Events::EventBase&) {
    Audio::AudioManager& audio = Audio::AudioManager::Get();
    audio.SetVolume(audio.GetVolume() + volChangePerClick);
    // What the audio manager kept, after it limited the value to 0..1.
    Records& records = Records::Get();
    records.SetFloat("volume", audio.GetVolume());
    records.Save();
    PlaceVolumeBar();
}

void VolumeChanger::PlaceVolumeBar() {
    Entity* max = Entity::Find("VolBarMax");
    Entity* min = Entity::Find("VolBarMin");
    Entity* bar = Entity::Find("VolBar");
    if (max == nullptr || min == nullptr || bar == nullptr) {
        return;
    }
    const Vector2& low = min->GetTransform().GetPosition();
    const Vector2& high = max->GetTransform().GetPosition();
    const float volume = Audio::AudioManager::Get().GetVolume();
    bar->GetTransform().SetPosition(low + (high - low) * volume);
}

}  // namespace Game
