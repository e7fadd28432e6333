#include "game/GameManager.h"
#include "game/LinkPlay.h"
#include "tools/vela-run/ComponentDump.h"
#include "tools/vela-run/DumpFields.h"

namespace VelaRun {

bool DumpGameFlowComponent(const VelaEngine::Component& component, JsonWriter& json) {
    if (const auto* manager = dynamic_cast<const Game::GameManager*>(&component)) {
        NumberField(json, "starsFound", manager->starsFound);
        BoolField(json, "levelEnded", manager->levelEnded);
        NumberField(json, "currentLevel", manager->currentLevel);
        BoolField(json, "optionsOpen", manager->optionsOpen);
        NumberField(json, "flightTime", manager->FlightTime());
        BoolField(json, "newBestTime", manager->newBestTime);
        return true;
    }
    if (const auto* link = dynamic_cast<const Game::LinkPlay*>(&component)) {
        json.Key("sceneName");
        json.String(link->sceneName);
        return true;
    }
    return false;
}

}  // namespace VelaRun
