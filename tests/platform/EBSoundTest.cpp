#include "platform/EBSound.h"

#include <gtest/gtest.h>

#include <cmath>

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

    ASSERT_EQ(EBSoundSystemInit(system, kChannels, 0), EBSoundResult::Ok);
    EBSoundChannel* channel = nullptr;
    ASSERT_EQ(EBSoundSystemGetChannel(system, kChannels - 1, &channel), EBSoundResult::Ok);

    const std::pair<float, float> volumes[] = {
        {0.5f, 0.5f}, {1.7f, 1.0f}, {std::nanf(""), 0.0f}, {-3.0f, 0.0f}};
    for (const auto& [set, kept] : volumes) {
        EBSoundChannelSetVolume(channel, set);
        EXPECT_FLOAT_EQ(Volume(channel), kept) << "set to " << set;
    }

    EXPECT_EQ(EBSoundSystemUpdate(system), EBSoundResult::Ok);
    EXPECT_EQ(EBSoundSystemRelease(system), EBSoundResult::Ok);
    EXPECT_EQ(EBSoundSystemUpdate(system), EBSoundResult::InvalidHandle);
    // Released, the device can be opened again.
    ASSERT_EQ(EBSoundSystemCreate(&system), EBSoundResult::Ok);
    EXPECT_EQ(EBSoundSystemRelease(system), EBSoundResult::Ok);
}
