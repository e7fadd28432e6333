#include "game/Ghost.h"
#include "game/Parallax.h"
#include "game/PlaneRotator.h"
#include "game/Wind.h"
#include "tools/vela-run/ComponentDump.h"
#include "tools/vela-run/DumpFields.h"

namespace VelaRun {

bool DumpFlightComponent(const VelaEngine::Component& component, JsonWriter& json) {
    if (const auto* plane = dynamic_cast<const Game::PlaneRotator*>(&component)) {
        NumberField(json, "countdownLeft", plane->countdownLeft);
        BoolField(json, "hasCheckpoint", plane->hasCheckpoint);
        BoolField(json, "checkpointUsed", plane->checkpointUsed);
        return true;
    }
    if (const auto* ghost = dynamic_cast<const Game::Ghost*>(&component)) {
        // Where it stands is the entity's own position.
        BoolField(json, "showing", ghost->Shown().has_value());
        NumberField(json, "samples",
                    ghost->Shown() ? static_cast<double>(ghost->Shown()->samples.size()) : 0.0);
        NumberField(json, "skin", ghost->Shown() ? ghost->Shown()->skin : 0);
        NumberField(json, "showTime", ghost->showTime);
        NumberField(json, "recorded", static_cast<double>(ghost->Recording().samples.size()));
        BoolField(json, "saved", ghost->saved);
        return true;
    }
    if (const auto* wind = dynamic_cast<const Game::Wind*>(&component)) {
        BoolField(json, "showingCursor", wind->showingCursor);
        return true;
    }
    if (const auto* layer = dynamic_cast<const Game::Parallax*>(&component)) {
        NumberField(json, "factor", layer->factor);
        NumberField(json, "factorY", layer->factorY);
        BoolField(json, "repeatX", layer->repeatX);
        NumberField(json, "minY", layer->minY);
        NumberField(json, "maxY", layer->maxY);
        return true;
    }
    return false;
}

}  // namespace VelaRun
