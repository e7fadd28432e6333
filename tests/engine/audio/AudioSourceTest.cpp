#include "engine/audio/AudioSource.h"

#include <gtest/gtest.h>

#include <memory>

#include "engine/audio/AudioClip.h"
#include "engine/audio/AudioManager.h"
#include "engine/core/FrontEnd.h"
#include "engine/entity/Entity.h"
#include "engine/scene/FieldMap.h"
#include "engine/scene/Resources.h"
#include "engine/scene/SceneManager.h"
#include "support/EngineRun.h"
#include "tests/engine/audio/AudioTestSupport.h"

using namespace AudioTest;
using namespace TestSupport;
using VelaEngine::Entity;
using VelaEngine::FieldMap;
using VelaEngine::Resources;
using VelaEngine::Audio::AudioClip;
using VelaEngine::Audio::AudioSource;

namespace {

// Writes the sound resource "sounds/short" (a WAV behind the game's .mp3 name) and returns the
// asset folder it is in.
std::string WriteShortSound(const TempFolder& folder) {
    WriteToneWav(folder.Write("assets/sounds/short.mp3", ""), kShortMs);
    return folder.File("assets");
}

FieldMap SourceFields(const std::string& clip, const std::string& volume, const std::string& loop,
                      const std::string& playOnAwake) {
    FieldMap fields;
    fields.Set("audioClip", clip);
    fields.Set("volume", volume);
    fields.Set("loop", loop);
    fields.Set("playOnAwake", playOnAwake);
    return fields;
}

// The manager on the dummy device and sounds behind the resource cache, as in a running game.
class AudioSourcePlayback : public testing::Test {
protected:
    void SetUp() override {
        assets_ = WriteShortSound(folder_);
        AudioManager::Create();
        AudioManager::Get().Init();
        ASSERT_EQ(AudioManager::Get().GetSlots().size(), 36u);
        Resources::Create();
        Resources::Get().Init(assets_, nullptr);
        entity_ = Entity::Create("Speaker");
    }
    void TearDown() override {
        entity_.reset();
        Resources::Release();
        AudioManager::Release();
    }

    AudioSource& AddSource(const FieldMap& fields) {
        AudioSource* source = entity_->AddComponent<AudioSource>();
        source->Deserialize(fields);
        return *source;
    }

    TempFolder folder_;
    std::string assets_;
    std::shared_ptr<Entity> entity_;
};

}  // namespace

TEST_F(AudioSourcePlayback, TakesTheClipFromTheCacheAndKeepsItWhenTheFieldIsAbsent) {
    AudioSource& source = AddSource(SourceFields("sounds/short", "0.5", "true", "false"));
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

TEST_F(AudioSourcePlayback, PlaysAtItsVolumeUnderTheMasterVolumeUntilDestroyed) {
    AudioSource& source = AddSource(SourceFields("sounds/short", "0.5", "true", "false"));
    AudioManager::Get().SetVolume(0.8f);
    source.Play();
    ASSERT_TRUE(Playing(Slot(0)));
    EXPECT_EQ(Slot(0).owner, &source);
    EXPECT_NEAR(Volume(Slot(0)), 0.4f, kMixerStep);

    // Read again while sounding, the source's sound follows its new volume.
    AudioManager::Get().SetVolume(1.0f);
    source.Deserialize(SourceFields("sounds/short", "0.25", "true", "false"));
    EXPECT_NEAR(Volume(Slot(0)), 0.25f, kMixerStep);
    Hold(kShortMs * 3);
    EXPECT_TRUE(Playing(Slot(0))) << "a looping source sounds past its clip's length";

    // Destroyed, the source is forgotten and its sound plays on; master changes still reach
    // it without asking the source.
    entity_.reset();
    EXPECT_EQ(Slot(0).owner, nullptr);
    EXPECT_TRUE(Playing(Slot(0)));
    AudioManager::Get().SetVolume(0.5f);
    EXPECT_NEAR(Volume(Slot(0)), 0.125f, kMixerStep);
}

TEST_F(AudioSourcePlayback, ReadingPlayOnAwakeTwiceStillPlaysOnce) {
    AudioSource& source = AddSource(SourceFields("sounds/short", "1", "true", "true"));
    source.Deserialize(SourceFields("sounds/short", "1", "true", "true"));
    EXPECT_EQ(SlotsPlaying(), 0) << "reading the fields plays nothing yet";
    entity_->GetAwakeListeners().Fire();
    EXPECT_EQ(SlotsPlaying(), 1);
}

TEST(AudioSourceInAScene, PlayOnAwakeSoundsInTheFirstFrameNotWhileLoading) {
    // A source that plays on waking and one that waits to be told.
    TempFolder folder;
    folder.Write(
        "assets/scenes/speakers.scene",
        "Entity\tQuiet\n\tt\t0,0\n\tr\t0\n\ts\t1,1\n\tAudioSource\n\t\taudioClip\tsounds/short\n"
        "Entity\tSpeaker\n\tt\t0,0\n\tr\t0\n\ts\t1,1\n\tAudioSource\n"
        "\t\taudioClip\tsounds/short\n\t\tplayOnAwake\ttrue\n\t\tvolume\t0.5\n\t\tloop\ttrue\n");
    EngineOptions options;
    options.assets = WriteShortSound(folder);
    options.firstScene = "scenes/speakers";
    testing::internal::CaptureStdout();
    StartEngine(options);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(SlotsPlaying(), 0) << "loading the scene plays nothing";
    int playingBefore = -1;
    int playingAfter = -1;
    testing::internal::CaptureStdout();
    RunFrames(
        1, [&](unsigned) { playingAfter = SlotsPlaying(); },
        [&](unsigned) { playingBefore = SlotsPlaying(); });
    testing::internal::GetCapturedStdout();

    EXPECT_EQ(playingBefore, 0);
    EXPECT_EQ(playingAfter, 1);
    auto* scene = VelaEngine::SceneManagement::SceneManager::Get().GetCurrentScene();
    EXPECT_EQ(Slot(0).owner, scene->GetRoots().back()->GetComponent<AudioSource>());
    EXPECT_NEAR(Volume(Slot(0)), 0.5f, kMixerStep);
}

TEST_F(AudioSourcePlayback, ACloneKeepsClipAndWakingButPlaysOnceAtFullVolume) {
    AudioSource& original = AddSource(SourceFields("sounds/short", "0.3", "true", "true"));
    auto other = Entity::Create("Copy");
    auto clone = std::dynamic_pointer_cast<AudioSource>(original.Clone(other.get()));
    ASSERT_NE(clone, nullptr);
    other->AddComponent(clone);
    EXPECT_EQ(clone->GetClip(), original.GetClip());
    EXPECT_TRUE(clone->PlaysOnAwake());

    other->GetAwakeListeners().Fire();
    ASSERT_TRUE(Playing(Slot(0)));
    EXPECT_EQ(Slot(0).owner, clone.get());
    EXPECT_NEAR(Volume(Slot(0)), 1.0f, kMixerStep);
    EXPECT_TRUE(WaitFor([] { return !Playing(Slot(0)); })) << "the clone does not loop";
}
