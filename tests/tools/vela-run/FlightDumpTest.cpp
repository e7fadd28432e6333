#include <gtest/gtest.h>

#include "engine/entity/Entity.h"
#include "game/PlaneRotator.h"
#include "game/Wind.h"
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

TEST(ComponentDump, ThePlaneShowsItsCountdownAndCheckpointState) {
    auto entity = Entity::Create("Airplane");
    auto* plane = entity->AddComponent<Game::PlaneRotator>();
    EXPECT_EQ(Dump(*plane), R"({"type": "PlaneRotator", "enabled": true, "countdownLeft": 6, )"
                            R"("hasCheckpoint": false, "checkpointUsed": false})");
    plane->countdownLeft = -0.25f;
    plane->hasCheckpoint = true;
    plane->checkpointUsed = true;
    EXPECT_EQ(Dump(*plane), R"({"type": "PlaneRotator", "enabled": true, "countdownLeft": -0.25, )"
                            R"("hasCheckpoint": true, "checkpointUsed": true})");
}

TEST(ComponentDump, TheCursorFanShowsWhetherItShowsTheCursor) {
    auto entity = Entity::Create("Fan");
    auto* wind = entity->AddComponent<Game::Wind>();
    wind->showingCursor = true;
    wind->SetEnabled(false);
    EXPECT_EQ(Dump(*wind), R"({"type": "Wind", "enabled": false, "showingCursor": true})");
}
