#include "game/LevelProgress.h"

#include "engine/entity/Entity.h"
#include "engine/entity/Transform.h"
#include "engine/graphics/Text.h"
#include "engine/scene/FieldMap.h"
#include "game/SavedValues.h"
#include "game/TimeText.h"

namespace Game {

using namespace VelaEngine;

bool LevelFinished(int level) {
    return SavedBestTime(level) > 0.0f || SavedHighestLevelUnlocked() > level;
}

void LevelProgress::Deserialize(const FieldMap& fields) {
    level = fields.Get("level", 0);
}

std::shared_ptr<Component> LevelProgress::Clone(Entity* newOwner) const {
    auto copy = MakePacked<LevelProgress>(newOwner);
    copy->level = level;
    return copy;
}

void LevelProgress::Start() {
    const float best = SavedBestTime(level);
    const bool finished = LevelFinished(level);
    if (auto* label = GetOwner()->GetComponent<Graphics::Text>()) {
        label->SetText(best > 0.0f ? FormatFlightTime(best) : finished ? "Finished" : "");
    }
    if (!finished) {
        for (const auto& child : GetOwner()->GetChildren()) {
            child->Destroy();
        }
    }
}

}  // namespace Game
