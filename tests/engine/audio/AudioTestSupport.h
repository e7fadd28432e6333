#pragma once
// Reads the state of the manager's channels back from the mixer, and checks the clip's log
// line, for audio tests.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>

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

// Checks that `output` is exactly the one log line a clip writes when `path` cannot be loaded.
inline void ExpectOneFailureLine(const std::string& output, const std::string& path) {
    EXPECT_EQ(output.rfind("LOG: Failed to load AudioClip: " + path + " (", 0), 0u) << output;
    ASSERT_GE(output.size(), 2u);
    EXPECT_EQ(output.substr(output.size() - 2), ")\n");
    EXPECT_EQ(output.find('\n'), output.size() - 1) << output;
}

}  // namespace AudioTest
