#include "platform/EBSound.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/SoundFiles.h"

using namespace TestSupport;

namespace {

constexpr int kChannels = 36;

float Volume(EBSoundChannel* channel) {
    float volume = -1.0f;
    EXPECT_EQ(EBSoundChannelGetVolume(channel, &volume), EBSoundResult::Ok);
    return volume;
}

}  // namespace

TEST(EBSoundSystem, OpensOneDeviceWithAPoolOfChannelsKeptWithinTheUnitVolume) {
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
    EXPECT_EQ(EBSoundSystemGetChannel(system, kChannels, &channel),
              EBSoundResult::InvalidParameter);
    EXPECT_EQ(channel, nullptr);
    EXPECT_EQ(EBSoundSystemGetChannel(system, -1, &channel), EBSoundResult::InvalidParameter);
    ASSERT_EQ(EBSoundSystemGetChannel(system, kChannels - 1, &channel), EBSoundResult::Ok);

    const std::pair<float, float> volumes[] = {
        {0.5f, 0.5f}, {1.7f, 1.0f}, {std::nanf(""), 0.0f}, {-3.0f, 0.0f}};
    for (const auto& [set, kept] : volumes) {
        EBSoundChannelSetVolume(channel, set);
        EXPECT_FLOAT_EQ(Volume(channel), kept) << "set to " << set;
    }

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
