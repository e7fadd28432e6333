#include "engine/audio/AudioSource.h"

#include "engine/audio/AudioClip.h"
#include "engine/audio/AudioManager.h"
#include "engine/entity/Entity.h"
#include "engine/scene/AssetCache.h"
#include "engine/scene/FieldMap.h"

namespace VelaEngine::Audio {

AudioSource::AudioSource(Entity* owner)
    : Component(owner), awakeListener_(this, &AudioSource::OnAwake) {}

AudioSource::~AudioSource() {
    // The manager may already be gone when the process ends.
    if (!AudioManager::Exists()) {
        return;
    }
    if (stopOnDestroy_) {
        AudioManager::Get().StopOwner(this);
    } else {
        AudioManager::Get().ForgetOwner(this);
    }
}

void AudioSource::Deserialize(const FieldMap& fields) {
    volume_ = fields.Get("volume", 1.0f);
    loop_ = fields.Get("loop", false);
    playOnAwake_ = fields.Get("playOnAwake", false);
    stopOnDestroy_ = fields.Get("stopOnDestroy", false);
    std::string clipName;
    if (fields.TryGet("audioClip", clipName)) {
        SetClip(CachedClip(clipName));
    }
    // Sounds this source already started follow its new volume.
    if (AudioManager::Exists()) {
        AudioManager::Get().SetOwnerVolume(this, volume_);
    }
    if (playOnAwake_) {
        ListenForAwake();
    }
}

std::shared_ptr<Component> AudioSource::Clone(Entity* newOwner) const {
    auto copy = MakePacked<AudioSource>(newOwner);
    copy->playOnAwake_ = playOnAwake_;
    copy->clip_ = clip_;
    if (copy->playOnAwake_) {
        copy->ListenForAwake();
    }
    return copy;
}

void AudioSource::SetClip(std::shared_ptr<AudioClip> clip) {
    clip_ = std::move(clip);
}

void AudioSource::SetVolume(float volume) {
    volume_ = volume;
    if (AudioManager::Exists()) {
        AudioManager::Get().SetOwnerVolume(this, volume_);
    }
}

void AudioSource::Play() {
    AudioManager& manager = AudioManager::Get();
    if (clip_ == nullptr) {
        return;
    }
    manager.Play(*clip_, volume_, loop_, this);
}

void AudioSource::OnAwake(const Events::EventBase&) {
    Play();
}

void AudioSource::ListenForAwake() {
    Events::ListenerList& awake = GetOwner()->GetAwakeListeners();
    if (!awake.Contains(awakeListener_)) {
        awake.Register(awakeListener_);
    }
}

}  // namespace VelaEngine::Audio
