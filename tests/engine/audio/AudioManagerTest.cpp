#include "engine/audio/AudioManager.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/FatalCatcher.h"
#include "tests/engine/audio/AudioTestSupport.h"

using namespace AudioTest;
using namespace TestSupport;

namespace {

struct AudioManagerPool : AudioWorld {
    static AudioManager& Manager() { return AudioManager::Get(); }
};

}  // namespace

TEST_F(AudioManagerPool, InitMakesThirtySixSilentChannelsAtFullMasterVolume) {
    const auto& slots = Manager().GetSlots();
    ASSERT_EQ(slots.size(), 36u);
    for (const ChannelSlot& slot : slots) {
        EXPECT_NE(slot.channel, nullptr);
        EXPECT_EQ(slot.owner, nullptr);
        EXPECT_FALSE(Playing(slot));
    }
    EXPECT_FLOAT_EQ(Manager().GetVolume(), 1.0f);

    // A second Init keeps the open system and its channels.
    EBSoundSystem* system = Manager().GetSystem();
    Manager().SetVolume(0.3f);
    Manager().Init();
    EXPECT_EQ(Manager().GetSystem(), system);
    EXPECT_EQ(Manager().GetSlots().size(), 36u);
    EXPECT_FLOAT_EQ(Manager().GetVolume(), 1.0f);
}

TEST_F(AudioManagerPool, PlayTakesTheFirstSilentSlotAtMasterTimesSourceVolume) {
    Manager().SetVolume(0.8f);
    EXPECT_EQ(Manager().Play(*clip_, 0.5f, false, &owner_), 0);
    EXPECT_EQ(Slot(0).owner, &owner_);
    EXPECT_NEAR(Volume(Slot(0)), 0.4f, kMixerStep);

    EXPECT_EQ(Manager().Play(*clip_, 1.0f, true, nullptr), 1);
    EXPECT_NEAR(Volume(Slot(1)), 0.8f, kMixerStep);

    // Once the one-shot sound in slot 0 is over, slot 0 is free again; slot 1 still loops.
    ASSERT_TRUE(WaitFor([] { return !Playing(Slot(0)); }));
    EXPECT_TRUE(Playing(Slot(1)));
    EXPECT_EQ(Manager().Play(*clip_, 1.0f, false, nullptr), 0);
    EXPECT_EQ(Slot(0).owner, nullptr);
    EXPECT_EQ(Manager().Play(*clip_, 1.0f, false, nullptr), 2);
    // Releasing the clip stops all its sounds, the looping one too.
    clip_.reset();
    EXPECT_EQ(SlotsPlaying(), 0);
}

TEST_F(AudioManagerPool, SetVolumeClampsAndReachesOnlySoundingChannels) {
    // A channel keeps its own volume within [0, 1] too, whatever it is given.
    const std::pair<float, float> volumes[] = {{1.7f, 1.0f}, {std::nanf(""), 0.0f}, {-3.0f, 0.0f}};
    for (const auto& [set, kept] : volumes) {
        EBSoundChannelSetVolume(Slot(5).channel, set);
        EXPECT_FLOAT_EQ(Volume(Slot(5)), kept) << "set to " << set;
    }
    ASSERT_EQ(Manager().Play(*clip_, 0.5f, true, &owner_), 0);
    EBSoundChannelSetVolume(Slot(5).channel, 0.3f);

    Manager().SetVolume(1.5f);
    EXPECT_FLOAT_EQ(Manager().GetVolume(), 1.0f);
    EXPECT_NEAR(Volume(Slot(0)), 0.5f, kMixerStep);
    EXPECT_NEAR(Volume(Slot(5)), 0.3f, kMixerStep);

    Manager().SetVolume(-0.2f);
    EXPECT_FLOAT_EQ(Manager().GetVolume(), 0.0f);
    EXPECT_FLOAT_EQ(Volume(Slot(0)), 0.0f);
    EXPECT_NEAR(Volume(Slot(5)), 0.3f, kMixerStep);
}

TEST_F(AudioManagerPool, AThirtySeventhSoundIsDroppedAndStopsNothing) {
    for (int i = 0; i < AudioManager::kChannelCount; ++i) {
        ASSERT_EQ(Manager().Play(*clip_, 1.0f, true, nullptr), i);
    }
    EXPECT_EQ(Manager().Play(*clip_, 1.0f, false, &owner_), -1);
    for (const ChannelSlot& slot : Manager().GetSlots()) {
        EXPECT_TRUE(Playing(slot));
        EXPECT_EQ(slot.owner, nullptr);
    }
}

TEST_F(AudioManagerPool, PausingHoldsEverySoundAndKeepsItsChannelBusy) {
    ASSERT_EQ(Manager().Play(*clip_, 1.0f, true, nullptr), 0);
    ASSERT_EQ(Manager().Play(*clip_, 1.0f, false, nullptr), 1);
    Manager().SetPaused(true);
    Hold(kShortMs * 3);
    EXPECT_TRUE(Paused(Slot(0)) && Paused(Slot(1)));
    // Paused channels still count as playing, so the next sound goes elsewhere and sounds.
    EXPECT_EQ(Manager().Play(*clip_, 1.0f, false, nullptr), 2);
    EXPECT_FALSE(Paused(Slot(2)));
    Manager().SetPaused(false);
    EXPECT_FALSE(Paused(Slot(0)) || Paused(Slot(1)));
    EXPECT_TRUE(WaitFor([] { return !Playing(Slot(1)); }));
}

TEST_F(AudioManagerPool, AForgottenOwnerIsNeverConsultedAgain) {
    int otherOwner = 0;
    ASSERT_EQ(Manager().Play(*clip_, 0.5f, true, &owner_), 0);
    ASSERT_EQ(Manager().Play(*clip_, 0.5f, true, &otherOwner), 1);
    Manager().SetOwnerVolume(&owner_, 0.25f);
    EXPECT_NEAR(Volume(Slot(0)), 0.25f, kMixerStep);
    EXPECT_NEAR(Volume(Slot(1)), 0.5f, kMixerStep);

    Manager().ForgetOwner(&owner_);
    EXPECT_EQ(Slot(0).owner, nullptr);
    EXPECT_EQ(Slot(1).owner, &otherOwner);
    // The sound plays on at the volume its source last gave, under the master volume.
    Manager().SetVolume(0.5f);
    EXPECT_NEAR(Volume(Slot(0)), 0.125f, kMixerStep);
    // A new object at the forgotten address does not take the sound over.
    Manager().SetOwnerVolume(&owner_, 1.0f);
    EXPECT_NEAR(Volume(Slot(0)), 0.125f, kMixerStep);
    // Nor does a null owner reach unowned sounds.
    Manager().SetOwnerVolume(nullptr, 1.0f);
    EXPECT_NEAR(Volume(Slot(0)), 0.125f, kMixerStep);
}

TEST(AudioManager, WithoutAnAudioDeviceTheGameRunsSilently) {
    ScopedAudioDriver missingDriver("no-such-audio-driver");
    TempFolder folder;
    AudioManager::Create();
    AudioManager& manager = AudioManager::Get();
    testing::internal::CaptureStdout();
    EXPECT_EQ(FatalMessageOf([&] { manager.Init(); }), "");
    EXPECT_EQ(manager.GetSystem(), nullptr);
    EXPECT_TRUE(manager.GetSlots().empty());

    manager.Update();
    manager.SetVolume(2.0f);
    EXPECT_FLOAT_EQ(manager.GetVolume(), 1.0f);
    manager.SetPaused(true);
    manager.SetPaused(false);

    AudioClip clip(WriteToneWav(folder.File("tone.wav"), 10));
    EXPECT_EQ(clip.GetSound(), nullptr);
    EXPECT_EQ(manager.Play(clip, 1.0f, true, nullptr), -1);
    // A sound system that cannot start is no error of the game's: only a missing file is.
    const std::string missing = folder.File("gone.mp3");
    AudioClip absent(missing);
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(output.starts_with("LOG: Failed to load AudioClip: " + missing + " (")) << output;
    EXPECT_TRUE(output.ends_with(")\n")) << output;
    EXPECT_EQ(output.find('\n'), output.size() - 1) << output;
    AudioManager::Release();
}
