#include "game/SoundFalloff.h"

#include <algorithm>

#include "engine/audio/AudioSource.h"
#include "engine/entity/Entity.h"
#include "engine/scene/FieldMap.h"
#include "game/FlightQueries.h"

namespace Game {

using namespace VelaEngine;

void SoundFalloff::Deserialize(const FieldMap& fields) {
    nearDistance = fields.Get("near", nearDistance);
    farDistance = fields.Get("far", farDistance);
    listenerName = fields.Get("listener", listenerName.c_str());
}

std::shared_ptr<Component> SoundFalloff::Clone(Entity* newOwner) const {
    auto copy = MakePacked<SoundFalloff>(newOwner);
    copy->nearDistance = nearDistance;
    copy->farDistance = farDistance;
    copy->listenerName = listenerName;
    return copy;
}

void SoundFalloff::Start() {
    source_ = GetOwner()->GetComponent<Audio::AudioSource>();
    if (source_ != nullptr) {
        fullVolume = source_->GetVolume();
    }
    // Before the first mixed buffer, so a sound that starts with the scene starts quiet.
    Apply();
}

void SoundFalloff::Update() {
    Apply();
}

float SoundFalloff::GainAt(float distance) const {
    if (distance <= nearDistance) {
        return 1.0f;
    }
    if (distance >= farDistance) {
        return 0.0f;
    }
    const float share = (farDistance - distance) / (farDistance - nearDistance);
    // Loudness is heard on a roughly logarithmic scale: a squared fall sounds even.
    return share * share;
}

void SoundFalloff::Apply() {
    if (source_ == nullptr) {
        return;
    }
    std::shared_ptr<Entity> listener = listener_.lock();
    if (listener == nullptr) {
        Entity* found = Entity::Find(listenerName);
        if (found == nullptr) {
            return;
        }
        listener = found->shared_from_this();
        listener_ = listener;
    }
    const float distance = (WorldPositionOf(*listener) - WorldPositionOf(*GetOwner())).Length();
    source_->SetVolume(fullVolume * GainAt(distance));
}

}  // namespace Game
