#pragma once
// Reads the state of the manager's channels back from the mixer, for audio tests.
#include <cstddef>

#include "engine/audio/AudioManager.h"
#include "support/SoundFiles.h"

namespace AudioTest {

using VelaEngine::Audio::AudioManager;
using VelaEngine::Audio::ChannelSlot;

constexpr int kShortMs = 80;
// The mixer keeps volumes in 128 steps.
constexpr float kMixerStep = 1.0f / 128;

inline const ChannelSlot& Slot(int index) {
    return AudioManager::Get().GetSlots()[static_cast<std::size_t>(index)];
}

inline bool Playing(const ChannelSlot& slot) {
    bool playing = false;
    EBSoundChannelIsPlaying(slot.channel, &playing);
    return playing;
}

inline bool Paused(const ChannelSlot& slot) {
    bool paused = false;
    EBSoundChannelGetPaused(slot.channel, &paused);
    return paused;
}

inline float Volume(const ChannelSlot& slot) {
    float volume = -1.0f;
    EBSoundChannelGetVolume(slot.channel, &volume);
    return volume;
}

inline int SlotsPlaying() {
    int count = 0;
    for (const ChannelSlot& slot : AudioManager::Get().GetSlots()) {
        count += Playing(slot) ? 1 : 0;
    }
    return count;
}

}  // namespace AudioTest
