#pragma once
// The sound system as a running game has it, and the state of its channels read back from the
// mixer, for audio tests.
#include <gtest/gtest.h>

#include <cstddef>
#include <memory>

#include "engine/audio/AudioClip.h"
#include "engine/audio/AudioManager.h"
#include "engine/entity/Entity.h"
#include "engine/scene/Resources.h"
#include "support/SoundFiles.h"

namespace AudioTest {

using VelaEngine::Entity;
using VelaEngine::Resources;
using VelaEngine::Audio::AudioClip;
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

// The manager on the dummy device, and the short sound "sounds/short" (a WAV behind the game's
// .mp3 name) both as a clip of the test's own and behind the resource cache.
class AudioWorld : public testing::Test {
protected:
    void SetUp() override {
        AudioManager::Create();
        AudioManager::Get().Init();
        ASSERT_NE(AudioManager::Get().GetSystem(), nullptr);
        const std::string path =
            TestSupport::WriteToneWav(folder_.Write("sounds/short.mp3", ""), kShortMs);
        testing::internal::CaptureStdout();
        clip_ = std::make_unique<AudioClip>(path);
        ASSERT_EQ(testing::internal::GetCapturedStdout(), "") << "a sound file loads quietly";
        ASSERT_NE(clip_->GetSound(), nullptr);
        Resources::Create();
        Resources::Get().Init(folder_.Path(), nullptr);
    }
    void TearDown() override {
        entity_.reset();
        clip_.reset();
        Resources::Release();
        AudioManager::Release();
    }

    TestSupport::TempFolder folder_;
    std::unique_ptr<AudioClip> clip_;
    std::shared_ptr<Entity> entity_ = Entity::Create("Speaker");
    int owner_ = 0;
};

}  // namespace AudioTest
