#include "tools/vela-run/ComponentDump.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/animation/Animation.h"
#include "engine/audio/AudioClip.h"
#include "engine/audio/AudioManager.h"
#include "engine/audio/AudioSource.h"
#include "engine/entity/Entity.h"
#include "engine/scene/FieldMap.h"
#include "engine/scene/Resources.h"
#include "support/SoundFiles.h"

using namespace VelaEngine;
using VelaRun::JsonWriter;

namespace {
std::string Dump(const Component& component) {
    JsonWriter json;
    json.BeginObject();
    VelaRun::DumpComponent(component, json);
    json.EndObject();
    return json.Text();
}
}  // namespace

TEST(ComponentDump, AudioSourcesShowTheirClipByResourceName) {
    TestSupport::TempFolder folder;
    const std::string assets = folder.File("assets");
    std::filesystem::create_directories(assets + "/sounds");
    TestSupport::WriteToneWav(assets + "/sounds/beep.mp3", 20);
    const std::string outside = TestSupport::WriteToneWav(folder.File("other.wav"), 20);
    Audio::AudioManager::Create();
    Audio::AudioManager::Get().Init();
    Resources::Create();
    Resources::Get().Init(assets, nullptr);
    {
        auto entity = Entity::Create("Speaker");
        auto* source = entity->AddComponent<Audio::AudioSource>();
        EXPECT_EQ(Dump(*source),
                  R"({"type": "AudioSource", "clip": null, "volume": 1, "loop": false, )"
                  R"("playOnAwake": false})");
        FieldMap fields;
        fields.Set("audioClip", "sounds/beep");
        fields.Set("volume", "0.25");
        fields.Set("loop", "t");
        fields.Set("playOnAwake", "t");
        source->Deserialize(fields);
        EXPECT_EQ(Dump(*source),
                  R"({"type": "AudioSource", "clip": "sounds/beep", "volume": 0.25, )"
                  R"("loop": true, "playOnAwake": true})");
        source->SetClip(std::make_shared<Audio::AudioClip>(outside));
        EXPECT_NE(Dump(*source).find(R"("clip": ")" + outside + "\""), std::string::npos);
    }
    Resources::Release();
    Audio::AudioManager::Release();
}

TEST(ComponentDump, AnimationsShowEnabledLoopAndTime) {
    auto entity = Entity::Create("Flag");
    auto* animation = entity->AddComponent<Mecanim::Animation>();
    FieldMap fields;
    fields.Set("loop", "t");
    fields.Set("clip", "1\t0\tImage\tsprite:a");
    animation->Deserialize(fields);
    animation->SetEnabled(false);
    EXPECT_EQ(Dump(*animation),
              R"({"type": "Animation", "enabled": false, "loop": true, "time": 0})");
}
