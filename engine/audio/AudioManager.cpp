#include "engine/audio/AudioManager.h"

#include "engine/audio/AudioClip.h"
#include "engine/core/VEDebug.h"

namespace VelaEngine::Audio {

namespace {
bool IsPlaying(EBSoundChannel* channel) {
    bool playing = false;
    EBSoundChannelIsPlaying(channel, &playing);
    return playing;
}

// Written so that NaN lands on silence.
float ClampUnit(float value) {
    return value > 0.0f ? (value < 1.0f ? value : 1.0f) : 0.0f;
}
}  // namespace

AudioManager::~AudioManager() {
    if (system_ != nullptr) {
        EBSoundSystemRelease(system_);
    }
}

void AudioManager::Init() {
    volume_ = 1.0f;
    if (system_ != nullptr) {
        return;
    }
    // No device is no error: the game runs silently with an empty pool.
    if (EBSoundSystemCreate(&system_) != EBSoundResult::Ok) {
        return;
    }
    int drivers = 0;
    EBSoundSystemGetNumDrivers(system_, &drivers);
    Assert(drivers != 0, "FMOD error");
    EBSoundSystemInit(system_, kChannelCount, 0);
    slots_.reserve(kChannelCount);
    for (int i = 0; i < kChannelCount; ++i) {
        ChannelSlot slot;
        EBSoundSystemGetChannel(system_, i, &slot.channel);
        ApplySlotVolume(slot);
        slots_.push_back(slot);
    }
}

void AudioManager::Update() {
    if (system_ != nullptr) {
        EBSoundSystemUpdate(system_);
        // Music decodes in the background; a file that turned out undecodable is told here.
        while (const char* failed = EBSoundSystemNextFailedLoad(system_)) {
            Log(std::string("Failed to load AudioClip: ") + failed);
        }
    }
}

void AudioManager::SetVolume(float volume) {
    volume_ = ClampUnit(volume);
    for (const ChannelSlot& slot : slots_) {
        ApplySlotVolume(slot);
    }
}

void AudioManager::SetPaused(bool paused) {
    for (const ChannelSlot& slot : slots_) {
        EBSoundChannelSetPaused(slot.channel, paused);
    }
}

int AudioManager::Play(const AudioClip& clip, float volume, bool loop, const void* owner) {
    const int index = FindFreeSlot();
    if (index < 0 || clip.GetSound() == nullptr) {
        return -1;
    }
    ChannelSlot& slot = slots_[static_cast<std::size_t>(index)];
    slot.owner = owner;
    slot.sourceVolume = volume;
    EBSoundSystemPlaySound(system_, clip.GetSound(), false, &slot.channel);
    if (loop) {
        EBSoundChannelSetMode(slot.channel, EB_SOUND_LOOP_NORMAL);
        EBSoundChannelSetLoopCount(slot.channel, -1);
    } else {
        EBSoundChannelSetMode(slot.channel, EB_SOUND_LOOP_OFF);
    }
    ApplySlotVolume(slot);
    return index;
}

void AudioManager::SetOwnerVolume(const void* owner, float volume) {
    for (ChannelSlot& slot : slots_) {
        if (owner != nullptr && slot.owner == owner) {
            slot.sourceVolume = volume;
            ApplySlotVolume(slot);
        }
    }
}

void AudioManager::ForgetOwner(const void* owner) {
    for (ChannelSlot& slot : slots_) {
        if (slot.owner == owner) {
            slot.owner = nullptr;
        }
    }
}

void AudioManager::StopOwner(const void* owner) {
    for (ChannelSlot& slot : slots_) {
        if (owner != nullptr && slot.owner == owner) {
            EBSoundChannelStop(slot.channel);
            slot.owner = nullptr;
        }
    }
}

bool AudioManager::IsOwnerPlaying(const void* owner) const {
    for (const ChannelSlot& slot : slots_) {
        if (owner != nullptr && slot.owner == owner && IsPlaying(slot.channel)) {
            return true;
        }
    }
    return false;
}

int AudioManager::FindFreeSlot() const {
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        if (!IsPlaying(slots_[i].channel)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// A channel that is not sounding is left alone: its next sound sets its own volume.
void AudioManager::ApplySlotVolume(const ChannelSlot& slot) const {
    if (IsPlaying(slot.channel)) {
        EBSoundChannelSetVolume(slot.channel, volume_ * slot.sourceVolume);
    }
}

}  // namespace VelaEngine::Audio
