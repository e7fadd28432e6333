#include "platform/EBSound.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "support/SoundFiles.h"

using namespace TestSupport;

namespace {

constexpr int kChannels = 36;

float Volume(EBSoundChannel* channel) {
    float volume = -1.0f;
    EXPECT_EQ(EBSoundChannelGetVolume(channel, &volume), EBSoundResult::Ok);
    return volume;
}

// An open system with its full pool.
class EBSoundPool : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(EBSoundSystemCreate(&system_), EBSoundResult::Ok) << EBSoundGetLastError();
        ASSERT_EQ(EBSoundSystemInit(system_, kChannels, 0), EBSoundResult::Ok);
        ASSERT_EQ(EBSoundSystemGetChannel(system_, 0, &channel_), EBSoundResult::Ok);
    }
    void TearDown() override { EBSoundSystemRelease(system_); }

    EBSoundSystem* system_ = nullptr;
    EBSoundChannel* channel_ = nullptr;
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

    // The last channel of the pool exists; one past it does not.
    ASSERT_EQ(EBSoundSystemGetChannel(system, kChannels - 1, &channel), EBSoundResult::Ok);
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

TEST_F(EBSoundPool, VolumeIsKeptWithinTheUnitRange) {
    EBSoundChannel* channel = channel_;
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
