// What the runner's dump shows of each family of components: the fields scene authors and the
// content tests read.
#include <gtest/gtest.h>

#include <limits>

#include "engine/animation/Animation.h"
#include "engine/audio/AudioManager.h"
#include "engine/audio/AudioSource.h"
#include "engine/entity/Entity.h"
#include "engine/graphics/Text.h"
#include "engine/physics/CircleCollider.h"
#include "engine/physics/DynamicBody2D.h"
#include "engine/physics/RectCollider.h"
#include "engine/scene/FieldMap.h"
#include "engine/scene/Resources.h"
#include "game/CoolTurn.h"
#include "game/GameManager.h"
#include "game/Ghost.h"
#include "game/LinkPlay.h"
#include "game/Parallax.h"
#include "game/PlaneRotator.h"
#include "game/Wind.h"
#include "support/SoundFiles.h"
#include "tools/vela-run/ComponentDump.h"

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
    TestSupport::WriteToneWav(folder.Write("assets/sounds/beep.mp3", ""), 20);
    Audio::AudioManager::Create();
    Audio::AudioManager::Get().Init();
    Resources::Create();
    Resources::Get().Init(folder.File("assets"), nullptr);
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
    }
    Resources::Release();
    Audio::AudioManager::Release();
}

// A text shows what it reads, so tests can read the HUD from a dump.
TEST(ComponentDump, TextsShowTheirLineAndLook) {
    Resources::Create();
    Resources::Get().Init(FLEETWING_SOURCE_DIR "/assets", nullptr);
    {
        auto entity = Entity::Create("Label");
        auto* text = entity->AddComponent<Graphics::Text>();
        FieldMap fields;
        fields.Set("text", "0:12.50");
        fields.Set("size", "30");
        fields.Set("color", "1,0.5,0,1");
        fields.Set("align", "right");
        text->Deserialize(fields);
        EXPECT_EQ(Dump(*text),
                  R"({"type": "Text", "text": "0:12.50", "font": "fonts/DejaVuSans-Bold", )"
                  R"("size": 30, "color": [1, 0.5, 0, 1], "shadow": [0, 0, 0, 0], )"
                  R"("align": "right"})");
    }
    Resources::Release();
}

// Bodies show their motion, colliders their shape, animations and the game's components their
// state.
TEST(ComponentDump, EachFamilyShowsWhatScenesAndTestsRead) {
    auto entity = Entity::Create("E");
    auto* body = entity->AddComponent<DynamicBody2D>();
    body->SetVelocity({0.1f, -2.0f});  // floats keep their precision
    body->SetMass(3.0f);
    body->SetGravityScale(0.5f);
    body->SetLinearDrag(1.25f);
    auto* circle = entity->AddComponent<Collision::CircleCollider>();
    circle->SetRadius(12.5f);
    circle->SetMaterial(Collision::Material(0.0f, 2.0f));
    auto* rect = entity->AddComponent<Collision::RectCollider>();
    rect->SetSize(40.0f, 8.0f);

    EXPECT_EQ(Dump(*body), R"({"type": "DynamicBody2D", "velocity": [0.100000001, -2], "mass": 3, )"
                           R"("gravityScale": 0.5, "linearDrag": 1.25})");
    EXPECT_EQ(
        Dump(*circle),
        R"({"type": "CircleCollider", "radius": 12.5, "material": {"bounce": 0, "friction": 2}})");
    EXPECT_EQ(
        Dump(*rect),
        R"({"type": "RectCollider", "w": 40, "h": 8, "material": {"bounce": 0.5, "friction": 0}})");

    auto* animation = entity->AddComponent<Mecanim::Animation>();
    FieldMap fields;
    fields.Set("loop", "t");
    fields.Set("clip", "1\t0\tImage\tsprite:a");
    animation->Deserialize(fields);
    animation->SetEnabled(false);
    auto* plane = entity->AddComponent<Game::PlaneRotator>();
    plane->countdownLeft = std::numeric_limits<float>::infinity();  // no JSON number
    plane->hasCheckpoint = true;
    plane->checkpointUsed = true;
    auto* wind = entity->AddComponent<Game::Wind>();
    wind->showingCursor = true;
    wind->SetEnabled(false);
    auto* manager = entity->AddComponent<Game::GameManager>();
    manager->starsFound = 2;
    manager->currentLevel = 7;
    manager->levelEnded = true;
    manager->flightStartTime = 1.0f;
    manager->flightEndTime = 3.5f;
    manager->newBestTime = true;
    auto* link = entity->AddComponent<Game::LinkPlay>();
    link->sceneName = "a\"b\\c\n\x01";  // escaped
    link->SetEnabled(false);
    auto* ghost = entity->AddComponent<Game::Ghost>();
    ghost->showTime = 1.5f;
    auto* other = entity->AddComponent<Game::CoolTurn>();
    auto* layer = entity->AddComponent<Game::Parallax>();
    layer->factor = 0.25f;
    layer->factorY = -0.5f;
    layer->repeatX = false;
    layer->maxY = -230.0f;

    EXPECT_EQ(Dump(*animation),
              R"({"type": "Animation", "enabled": false, "loop": true, "time": 0})");
    EXPECT_EQ(Dump(*plane), R"({"type": "PlaneRotator", "enabled": true, "countdownLeft": null, )"
                            R"("hasCheckpoint": true, "checkpointUsed": true})");
    EXPECT_EQ(Dump(*wind), R"({"type": "Wind", "enabled": false, "showingCursor": true})");
    EXPECT_EQ(
        Dump(*manager),
        R"({"type": "GameManager", "enabled": true, "starsFound": 2, "levelEnded": true, )"
        R"("currentLevel": 7, "optionsOpen": false, "flightTime": 2.5, "newBestTime": true})");
    EXPECT_EQ(Dump(*ghost), R"({"type": "Ghost", "enabled": true, "showing": false, )"
                            R"("samples": 0, "skin": 0, "showTime": 1.5, "recorded": 0, )"
                            R"("saved": false})");
    EXPECT_EQ(Dump(*link),
              R"({"type": "LinkPlay", "enabled": false, "sceneName": "a\"b\\c\n\u0001"})");
    // A behaviour without state of its own shows whether it is enabled.
    EXPECT_EQ(Dump(*other), R"({"type": "CoolTurn", "enabled": true})");
    EXPECT_EQ(Dump(*layer), R"({"type": "Parallax", "enabled": true, "factor": 0.25, )"
                            R"("factorY": -0.5, "repeatX": false, "minY": null, "maxY": -230})");
}
