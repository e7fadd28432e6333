#include "game/FadingLoop.h"

#include <algorithm>
#include <cmath>

#include "engine/audio/AudioClip.h"
#include "engine/audio/AudioManager.h"

namespace Game {

using VelaEngine::Audio::AudioManager;

FadingLoop::~FadingLoop() {
    // The manager may already be gone when the process ends.
    if (AudioManager::Exists()) {
        Stop();
    }
}

void FadingLoop::Start(std::shared_ptr<VelaEngine::Audio::AudioClip> clip) {
    Stop();
    clip_ = std::move(clip);
    gain_ = 0.0f;
    target_ = 0.0f;
    rate_ = 0.0f;
    fadingOut_ = false;
    if (clip_ == nullptr) {
        return;
    }
    active_ = true;
    AudioManager::Get().Play(*clip_, 0.0f, true, this);
}

void FadingLoop::SetVolume(float volume) {
    volume_ = volume;
    ApplyVolume();
}

void FadingLoop::FadeTo(float target, float seconds) {
    target_ = std::clamp(target, 0.0f, 1.0f);
    fadingOut_ = target_ <= 0.0f;
    if (seconds <= 0.0f) {
        gain_ = target_;
        rate_ = 0.0f;
        ApplyVolume();
        Update(0.0f);
        return;
    }
    rate_ = std::max(std::abs(target_ - gain_), 1e-6f) / seconds;
}

void FadingLoop::Update(float dt) {
    if (!active_) {
        return;
    }
    if (gain_ != target_) {
        const float step = rate_ * dt;
        gain_ = gain_ < target_ ? std::min(target_, gain_ + step) : std::max(target_, gain_ - step);
        ApplyVolume();
    }
    if (fadingOut_ && gain_ <= 0.0f) {
        Stop();
    }
}

void FadingLoop::Stop() {
    if (active_) {
        AudioManager::Get().StopOwner(this);
    }
    active_ = false;
    gain_ = 0.0f;
}

void FadingLoop::ApplyVolume() {
    if (active_) {
        AudioManager::Get().SetOwnerVolume(this, volume_ * gain_);
    }
}

}  // namespace Game
