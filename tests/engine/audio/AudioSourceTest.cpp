#include "engine/audio/AudioSource.h"

#include <gtest/gtest.h>

#include "engine/scene/FieldMap.h"
#include "tests/engine/audio/AudioTestSupport.h"

using namespace AudioTest;
using namespace TestSupport;
using VelaEngine::FieldMap;
using VelaEngine::Audio::AudioSource;

namespace {

FieldMap SourceFields(const std::string& clip, const std::string& volume, const std::string& loop,
                      const std::string& playOnAwake) {
    FieldMap fields;
    fields.Set("audioClip", clip);
    fields.Set("volume", volume);
    fields.Set("loop", loop);
    fields.Set("playOnAwake", playOnAwake);
    return fields;
}

struct AudioSourcePlayback : AudioWorld {
    AudioSource& AddSource(const FieldMap& fields) {
        AudioSource* source = entity_->AddComponent<AudioSource>();
        source->Deserialize(fields);
        return *source;
    }
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

    // Destroyed, the source is forgotten by the manager and its sound plays on.
    entity_.reset();
    EXPECT_EQ(Slot(0).owner, nullptr);
    EXPECT_TRUE(Playing(Slot(0)));
}

TEST_F(AudioSourcePlayback, PlayOnAwakePlaysOnceOnWakingAndACloneKeepsItAtFullVolume) {
    AudioSource& original = AddSource(SourceFields("sounds/short", "0.3", "true", "true"));
    original.Deserialize(SourceFields("sounds/short", "0.3", "true", "true"));
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
