#include <gtest/gtest.h>

#include "engine/entity/Entity.h"
#include "game/CoolTurn.h"
#include "game/GameManager.h"
#include "game/LinkPlay.h"
#include "tools/vela-run/ComponentDump.h"

using namespace VelaEngine;

namespace {

std::string Dump(const Component& component) {
    VelaRun::JsonWriter json;
    json.BeginObject();
    VelaRun::DumpComponent(component, json);
    json.EndObject();
    return json.Text();
}

TEST(ComponentDump, TheGameManagerAndSceneLinksShowTheirState) {
    auto entity = Entity::Create("E");
    auto* manager = entity->AddComponent<Game::GameManager>();
    manager->starsFound = 2;
    manager->currentLevel = 7;
    manager->levelEnded = true;
    auto* link = entity->AddComponent<Game::LinkPlay>();
    link->sceneName = "scenes/menu";
    link->SetEnabled(false);
    auto* other = entity->AddComponent<Game::CoolTurn>();

    EXPECT_EQ(Dump(*manager),
              R"({"type": "GameManager", "enabled": true, "starsFound": 2, "levelEnded": true, )"
              R"("currentLevel": 7, "optionsOpen": false})");
    EXPECT_EQ(Dump(*link), R"({"type": "LinkPlay", "enabled": false, "sceneName": "scenes/menu"})");
    EXPECT_EQ(Dump(*other), R"({"type": "CoolTurn", "enabled": true})");
}

}  // namespace
