#include "platform/EBSound.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>
#include <vector>

#include "support/SoundFiles.h"

using namespace TestSupport;

namespace {

constexpr int kChannels = 36;
constexpr int kShortMs = 80;

bool Playing(EBSoundChannel* channel) {
    bool playing = false;
    EXPECT_EQ(EBSoundChannelIsPlaying(channel, &playing), EBSoundResult::Ok);
    return playing;
}

bool Paused(EBSoundChannel* channel) {
    bool paused = false;
    EXPECT_EQ(EBSoundChannelGetPaused(channel, &paused), EBSoundResult::Ok);
    return paused;
}

float Volume(EBSoundChannel* channel) {
    float volume = -1.0f;
    EXPECT_EQ(EBSoundChannelGetVolume(channel, &volume), EBSoundResult::Ok);
    return volume;
}

// An open system with its full pool and one short decoded sound.
class EBSoundPlayback : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(EBSoundSystemCreate(&system_), EBSoundResult::Ok) << EBSoundGetLastError();
        ASSERT_EQ(EBSoundSystemInit(system_, kChannels, 0), EBSoundResult::Ok);
        for (int i = 0; i < kChannels; ++i) {
            EBSoundChannel* channel = nullptr;
            ASSERT_EQ(EBSoundSystemGetChannel(system_, i, &channel), EBSoundResult::Ok);
            channels_.push_back(channel);
        }
        const std::string path = WriteToneWav(folder_.File("short.wav"), kShortMs);
        ASSERT_EQ(EBSoundSystemCreateSound(system_, path.c_str(), EB_SOUND_CREATESAMPLE, &sound_),
                  EBSoundResult::Ok)
            << EBSoundGetLastError();
    }
    void TearDown() override {
        if (sound_ != nullptr) {
            EBSoundRelease(sound_);
        }
        EBSoundSystemRelease(system_);
    }

    EBSoundChannel* Play(int index) {
        EBSoundChannel* channel = channels_[static_cast<std::size_t>(index)];
        EXPECT_EQ(EBSoundSystemPlaySound(system_, sound_, false, &channel), EBSoundResult::Ok);
        EXPECT_EQ(channel, channels_[static_cast<std::size_t>(index)]);
        return channel;
    }

    TempFolder folder_;
    EBSoundSystem* system_ = nullptr;
    EBSound* sound_ = nullptr;
    std::vector<EBSoundChannel*> channels_;
};

}  // namespace

TEST(EBSoundSystem, OpensOneDeviceWithAPoolOfChannels) {
    EBSoundSystem* system = nullptr;
    ASSERT_EQ(EBSoundSystemCreate(&system), EBSoundResult::Ok) << EBSoundGetLastError();
    int drivers = 0;
    EXPECT_EQ(EBSoundSystemGetNumDrivers(system, &drivers), EBSoundResult::Ok);
    EXPECT_GE(drivers, 1);

    EBSoundChannel* channel = nullptr;
    EXPECT_EQ(EBSoundSystemGetChannel(system, 0, &channel), EBSoundResult::NotReady);
    EXPECT_EQ(EBSoundSystemInit(system, 0, 0), EBSoundResult::InvalidParameter);
    ASSERT_EQ(EBSoundSystemInit(system, kChannels, 0), EBSoundResult::Ok);

    std::set<EBSoundChannel*> distinct;
    for (int i = 0; i < kChannels; ++i) {
        ASSERT_EQ(EBSoundSystemGetChannel(system, i, &channel), EBSoundResult::Ok);
        EXPECT_FALSE(Playing(channel));
        EXPECT_FLOAT_EQ(Volume(channel), 1.0f);
        distinct.insert(channel);
    }
    EXPECT_EQ(distinct.size(), static_cast<std::size_t>(kChannels));
    EXPECT_EQ(EBSoundSystemGetChannel(system, kChannels, &channel),
              EBSoundResult::InvalidParameter);
    EXPECT_EQ(channel, nullptr);
    EXPECT_EQ(EBSoundSystemGetChannel(system, -1, &channel), EBSoundResult::InvalidParameter);

    // The mixer is one per process: a second system is refused, the first keeps working.
    EBSoundSystem* second = nullptr;
    EXPECT_EQ(EBSoundSystemCreate(&second), EBSoundResult::DeviceUnavailable);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(EBSoundSystemUpdate(system), EBSoundResult::Ok);

    EXPECT_EQ(EBSoundSystemRelease(system), EBSoundResult::Ok);
    EXPECT_EQ(EBSoundSystemUpdate(system), EBSoundResult::InvalidHandle);
    // Released, the device can be opened again.
    ASSERT_EQ(EBSoundSystemCreate(&system), EBSoundResult::Ok);
    EXPECT_EQ(EBSoundSystemRelease(system), EBSoundResult::Ok);
}

TEST(EBSoundSystem, WithoutAnAudioDeviceEverythingAnswersCalmly) {
    ScopedAudioDriver missingDriver("no-such-audio-driver");
    EBSoundSystem* system = reinterpret_cast<EBSoundSystem*>(&system);
    EXPECT_EQ(EBSoundSystemCreate(&system), EBSoundResult::DeviceUnavailable);
    EXPECT_EQ(system, nullptr);
    EXPECT_STRNE(EBSoundGetLastError(), "");

    int drivers = 7;
    EXPECT_EQ(EBSoundSystemGetNumDrivers(system, &drivers), EBSoundResult::InvalidHandle);
    EXPECT_EQ(drivers, 0);
    EXPECT_EQ(EBSoundSystemInit(system, kChannels, 0), EBSoundResult::InvalidHandle);
    EBSound* sound = nullptr;
    EXPECT_EQ(EBSoundSystemCreateSound(system, "any.wav", EB_SOUND_CREATESAMPLE, &sound),
              EBSoundResult::InvalidHandle);
    EXPECT_EQ(sound, nullptr);
    EBSoundChannel* channel = nullptr;
    EXPECT_EQ(EBSoundSystemPlaySound(system, sound, false, &channel),
              EBSoundResult::InvalidParameter);

    bool playing = true;
    EXPECT_EQ(EBSoundChannelIsPlaying(nullptr, &playing), EBSoundResult::InvalidHandle);
    EXPECT_FALSE(playing);
    EXPECT_EQ(EBSoundChannelSetVolume(nullptr, 0.5f), EBSoundResult::InvalidHandle);
}

TEST_F(EBSoundPlayback, ALoopingChannelSoundsUntilItsLoopCountRunsOut) {
    EBSoundChannel* channel = Play(0);
    ASSERT_EQ(EBSoundChannelSetMode(channel, EB_SOUND_LOOP_NORMAL), EBSoundResult::Ok);
    ASSERT_EQ(EBSoundChannelSetLoopCount(channel, -1), EBSoundResult::Ok);
    EXPECT_EQ(EBSoundChannelSetMode(channel, 0x4), EBSoundResult::InvalidParameter);
    EXPECT_EQ(EBSoundChannelSetLoopCount(channel, -2), EBSoundResult::InvalidParameter);
    Hold(kShortMs * 5);
    EXPECT_TRUE(Playing(channel));

    // Looping off: the sound plays out once more and stops.
    ASSERT_EQ(EBSoundChannelSetMode(channel, EB_SOUND_LOOP_OFF), EBSoundResult::Ok);
    EXPECT_TRUE(WaitFor([&] { return !Playing(channel); }));

    // A finite count repeats the sound that many more times, then stops.
    Play(0);
    EBSoundChannelSetMode(channel, EB_SOUND_LOOP_NORMAL);
    EBSoundChannelSetLoopCount(channel, 2);
    Hold(kShortMs * 3 / 2);
    EXPECT_TRUE(Playing(channel));
    EXPECT_TRUE(WaitFor([&] { return !Playing(channel); }));
}

TEST_F(EBSoundPlayback, APausedChannelHoldsItsSoundAndStillCountsAsPlaying) {
    EBSoundChannel* channel = Play(1);
    EBSoundChannelSetVolume(channel, 0.5f);
    ASSERT_EQ(EBSoundChannelSetPaused(channel, true), EBSoundResult::Ok);
    EXPECT_TRUE(Paused(channel));
    Hold(kShortMs * 4);
    EXPECT_TRUE(Playing(channel));

    // Changing the loop of a paused channel must not wake it.
    EBSoundChannelSetMode(channel, EB_SOUND_LOOP_NORMAL);
    EXPECT_TRUE(Paused(channel));
    EXPECT_FLOAT_EQ(Volume(channel), 0.5f);
    EBSoundChannelSetMode(channel, EB_SOUND_LOOP_OFF);

    ASSERT_EQ(EBSoundChannelSetPaused(channel, false), EBSoundResult::Ok);
    EXPECT_FALSE(Paused(channel));
    EXPECT_TRUE(WaitFor([&] { return !Playing(channel); }));
}

TEST_F(EBSoundPlayback, ANewSoundStartsUnpausedAtFullVolume) {
    EBSoundChannel* channel = Play(4);
    EBSoundChannelSetVolume(channel, 0.25f);
    EBSoundChannelSetPaused(channel, true);
    Play(4);
    EXPECT_FALSE(Paused(channel));
    EXPECT_FLOAT_EQ(Volume(channel), 1.0f);

    EXPECT_EQ(EBSoundSystemPlaySound(system_, sound_, true, &channel), EBSoundResult::Ok);
    EXPECT_TRUE(Paused(channel));
    EXPECT_TRUE(Playing(channel));
}

TEST_F(EBSoundPlayback, VolumeIsKeptWithinTheUnitRange) {
    EBSoundChannel* channel = channels_[0];
    EBSoundChannelSetVolume(channel, 0.5f);
    EXPECT_FLOAT_EQ(Volume(channel), 0.5f);
    EBSoundChannelSetVolume(channel, 0.4f);
    EXPECT_NEAR(Volume(channel), 0.4f, 0.5f / 128);
    EBSoundChannelSetVolume(channel, 1.7f);
    EXPECT_FLOAT_EQ(Volume(channel), 1.0f);
    EBSoundChannelSetVolume(channel, -3.0f);
    EXPECT_FLOAT_EQ(Volume(channel), 0.0f);
    EBSoundChannelSetVolume(channel, 1.0f);
    EBSoundChannelSetVolume(channel, std::nanf(""));
    EXPECT_FLOAT_EQ(Volume(channel), 0.0f);
}

TEST_F(EBSoundPlayback, OnlyWholeDecodingAndRealSoundsAreAccepted) {
    const std::string tone = WriteToneWav(folder_.File("tone.wav"), 10);
    EBSound* sound = sound_;
    EXPECT_EQ(EBSoundSystemCreateSound(system_, tone.c_str(), 0x80, &sound),
              EBSoundResult::InvalidParameter);
    EXPECT_EQ(sound, nullptr);
    const std::string missing = folder_.File("missing.mp3");
    EXPECT_EQ(EBSoundSystemCreateSound(system_, missing.c_str(), EB_SOUND_CREATESAMPLE, &sound),
              EBSoundResult::FileNotLoaded);
    EXPECT_NE(std::string(EBSoundGetLastError()).find(missing), std::string::npos);

    EBSoundChannel* channel = channels_[0];
    EXPECT_EQ(EBSoundSystemPlaySound(system_, nullptr, false, &channel),
              EBSoundResult::InvalidHandle);
    EXPECT_FALSE(Playing(channel));
}
