// The sound system as a running game has it, with the state of its channels read back from the
// mixer.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <string>

#include "engine/audio/AudioClip.h"
#include "engine/audio/AudioManager.h"
#include "engine/audio/AudioSource.h"
#include "engine/entity/Entity.h"
#include "engine/scene/FieldMap.h"
#include "engine/scene/Resources.h"
#include "support/FatalCatcher.h"
#include "support/SoundFiles.h"

using namespace TestSupport;
using VelaEngine::Entity;
using VelaEngine::FieldMap;
using VelaEngine::Resources;
using VelaEngine::Audio::AudioClip;
using VelaEngine::Audio::AudioManager;
using VelaEngine::Audio::AudioSource;
using VelaEngine::Audio::ChannelSlot;

namespace {

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
    const auto& slots = AudioManager::Get().GetSlots();
    return static_cast<int>(std::count_if(slots.begin(), slots.end(), Playing));
}

// A looping source of the short sound.
FieldMap SourceFields(const std::string& volume, const std::string& playOnAwake) {
    FieldMap fields;
    fields.Set("audioClip", "sounds/short");
    fields.Set("volume", volume);
    fields.Set("loop", "true");
    fields.Set("playOnAwake", playOnAwake);
    return fields;
}

// The manager on the dummy device, and the short sound "sounds/short" (a WAV behind the game's
// .mp3 name) both as a clip of the test's own and behind the resource cache.
class AudioWorld : public testing::Test {
protected:
    void SetUp() override {
        AudioManager::Create();
        AudioManager::Get().Init();
        ASSERT_NE(AudioManager::Get().GetSystem(), nullptr);
        const std::string path = WriteToneWav(folder_.Write("sounds/short.mp3", ""), kShortMs);
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
    AudioSource& AddSource(const FieldMap& fields) {
        AudioSource* source = entity_->AddComponent<AudioSource>();
        source->Deserialize(fields);
        return *source;
    }

    TempFolder folder_;
    std::unique_ptr<AudioClip> clip_;
    std::shared_ptr<Entity> entity_ = Entity::Create("Speaker");
    int owner_ = 0;
};

AudioManager& Manager() {
    return AudioManager::Get();
}

}  // namespace

TEST_F(AudioWorld, InitMakesThirtySixSilentChannelsAtFullMasterVolume) {
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

TEST_F(AudioWorld, PlayTakesTheFirstSilentSlotAtMasterTimesSourceVolume) {
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

TEST_F(AudioWorld, SetVolumeClampsAndReachesOnlySoundingChannels) {
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

TEST_F(AudioWorld, AThirtySeventhSoundIsDroppedAndStopsNothing) {
    for (int i = 0; i < AudioManager::kChannelCount; ++i) {
        ASSERT_EQ(Manager().Play(*clip_, 1.0f, true, nullptr), i);
    }
    EXPECT_EQ(Manager().Play(*clip_, 1.0f, false, &owner_), -1);
    for (const ChannelSlot& slot : Manager().GetSlots()) {
        EXPECT_TRUE(Playing(slot));
        EXPECT_EQ(slot.owner, nullptr);
    }
}

TEST_F(AudioWorld, PausingHoldsEverySoundAndKeepsItsChannelBusy) {
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

TEST_F(AudioWorld, AForgottenOwnerIsNeverConsultedAgain) {
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

TEST_F(AudioWorld, MusicDecodesInTheBackgroundAndAPlayAskedMeanwhileStartsWhenItIsReady) {
    AudioClip music(WriteToneWav(folder_.Write("sounds/music.wav", ""), 1600),
                    AudioClip::Decoding::InBackground);
    ASSERT_NE(music.GetSound(), nullptr) << "handed out before its decoding ends";
    const auto asked = std::chrono::steady_clock::now();
    ASSERT_EQ(Manager().Play(music, 1.0f, false, &owner_), 0);
    EXPECT_TRUE(Playing(Slot(0))) << "a waiting play keeps its channel busy";
    EXPECT_EQ(Manager().Play(*clip_, 1.0f, false, nullptr), 1);
    // The tone really sounds once decoded: the one-shot channel frees itself only after it.
    ASSERT_TRUE(WaitFor(
        [] {
            Manager().Update();
            return !Playing(Slot(0));
        },
        10000));
    EXPECT_GE(std::chrono::steady_clock::now() - asked, std::chrono::milliseconds(1500));

    // A large file that does not decode is told by the frame's update and plays nothing.
    AudioClip broken(folder_.Write("sounds/broken.mp3", std::string(100000, 'x')),
                     AudioClip::Decoding::InBackground);
    ASSERT_EQ(Manager().Play(broken, 1.0f, true, &owner_), 0);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(WaitFor([] {
        Manager().Update();
        return !Playing(Slot(0));
    }));
    EXPECT_NE(testing::internal::GetCapturedStdout().find(
                  "LOG: Failed to load AudioClip: " + folder_.Path() + "/sounds/broken.mp3 ("),
              std::string::npos);
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
    // Opening a pipe would wait for a writer that never comes.
    const std::string pipe = folder.File("pipe.mp3");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    AudioClip piped(pipe);
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(output, "LOG: Failed to load AudioClip: " + missing +
                          " (missing or not a regular file)\nLOG: Failed to load AudioClip: " +
                          pipe + " (missing or not a regular file)\n");
    AudioManager::Release();
}

TEST_F(AudioWorld, TakesTheClipFromTheCacheAndKeepsItWhenTheFieldIsAbsent) {
    AudioSource& source = AddSource(SourceFields("0.5", "false"));
    EXPECT_EQ(source.GetClip(), Resources::Get().Get<AudioClip>("sounds/short"));
    source.Deserialize(FieldMap());
    EXPECT_EQ(source.GetClip(), Resources::Get().Get<AudioClip>("sounds/short"));
    EXPECT_EQ(source.GetVolume(), 1.0f);
    EXPECT_FALSE(source.IsLooping());

    AudioSource& empty = AddSource(FieldMap());
    EXPECT_EQ(empty.GetClip(), nullptr);
    empty.Play();
    EXPECT_EQ(SlotsPlaying(), 0) << "a source without a clip plays nothing";
}

TEST_F(AudioWorld, PlaysAtItsVolumeUnderTheMasterVolumeUntilDestroyed) {
    AudioSource& source = AddSource(SourceFields("0.5", "false"));
    AudioManager::Get().SetVolume(0.8f);
    source.Play();
    ASSERT_TRUE(Playing(Slot(0)));
    EXPECT_EQ(Slot(0).owner, &source);
    EXPECT_NEAR(Volume(Slot(0)), 0.4f, kMixerStep);

    // Read again while sounding, the source's sound follows its new volume.
    AudioManager::Get().SetVolume(1.0f);
    source.Deserialize(SourceFields("0.25", "false"));
    EXPECT_NEAR(Volume(Slot(0)), 0.25f, kMixerStep);
    Hold(kShortMs * 3);
    EXPECT_TRUE(Playing(Slot(0))) << "a looping source sounds past its clip's length";

    // Destroyed, the source is forgotten by the manager and its sound plays on.
    entity_.reset();
    EXPECT_EQ(Slot(0).owner, nullptr);
    EXPECT_TRUE(Playing(Slot(0)));
}

TEST_F(AudioWorld, PlayOnAwakePlaysOnceOnWakingAndACloneKeepsItAtFullVolume) {
    AudioSource& original = AddSource(SourceFields("0.3", "true"));
    original.Deserialize(SourceFields("0.3", "true"));
    EXPECT_EQ(SlotsPlaying(), 0) << "reading the fields plays nothing yet";
    auto other = Entity::Create("Copy");
    auto clone = std::dynamic_pointer_cast<AudioSource>(original.Clone(other.get()));
    ASSERT_NE(clone, nullptr);
    other->AddComponent(clone);
    EXPECT_EQ(clone->GetClip(), original.GetClip());
    EXPECT_TRUE(clone->PlaysOnAwake());
    entity_->GetAwakeListeners().Fire();
    EXPECT_EQ(SlotsPlaying(), 1) << "read twice, played once";

    other->GetAwakeListeners().Fire();
    ASSERT_TRUE(Playing(Slot(1)));
    EXPECT_EQ(Slot(1).owner, clone.get());
    EXPECT_NEAR(Volume(Slot(1)), 1.0f, kMixerStep);
    EXPECT_TRUE(WaitFor([] { return !Playing(Slot(1)); })) << "the clone does not loop";
}

// A looping sound that belongs to one scene: its owner can turn it, stop it, and, asked to by
// "stopOnDestroy", takes it along when it goes; a source without the field leaves it playing.
TEST_F(AudioWorld, AnOwnerTurnsAndStopsItsLoopsAndAStopOnDestroySourceEndsThemWithIt) {
    ASSERT_EQ(Manager().Play(*clip_, 0.5f, true, &owner_), 0);
    int other = 0;
    ASSERT_EQ(Manager().Play(*clip_, 0.5f, true, &other), 1);
    EXPECT_TRUE(Manager().IsOwnerPlaying(&owner_));
    Manager().StopOwner(&owner_);
    EXPECT_FALSE(Playing(Slot(0)));
    EXPECT_EQ(Slot(0).owner, nullptr);
    EXPECT_FALSE(Manager().IsOwnerPlaying(&owner_));
    EXPECT_TRUE(Playing(Slot(1))) << "another owner's sound is left alone";
    EXPECT_TRUE(Manager().IsOwnerPlaying(&other));
    Manager().StopOwner(nullptr);
    EXPECT_TRUE(Playing(Slot(1))) << "no owner stops nothing";

    FieldMap fields = SourceFields("0.5", "false");
    fields.Set("stopOnDestroy", "true");
    AudioSource& source = AddSource(fields);
    EXPECT_TRUE(source.StopsOnDestroy());
    source.Play();
    ASSERT_TRUE(Playing(Slot(0)));
    source.SetVolume(0.25f);
    EXPECT_FLOAT_EQ(source.GetVolume(), 0.25f);
    EXPECT_NEAR(Volume(Slot(0)), 0.25f, kMixerStep) << "a sounding channel follows at once";
    Hold(kShortMs * 3);
    EXPECT_TRUE(Playing(Slot(0)));
    entity_.reset();
    EXPECT_FALSE(Playing(Slot(0))) << "the loop ended with its source";
    EXPECT_TRUE(Playing(Slot(1)));
}
