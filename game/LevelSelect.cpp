#include "game/LevelSelect.h"

#include <string>

#include "engine/core/VEDebug.h"
#include "engine/entity/Entity.h"
#include "engine/entity/Transform.h"
#include "engine/scene/FieldMap.h"
#include "game/SavedValues.h"

namespace Game {

using namespace VelaEngine;

LevelSelect::LevelSelect(Entity* owner) : VelaBehavior(owner) {
    for (int i = 0; i < 2 * kLevels; ++i) {
        references_.emplace_back(this);
    }
}

void LevelSelect::Read(const FieldMap& fields, const std::string& name, Reference& reference) {
    reference.given = fields.TryGet(name.c_str(), reference.path);
    if (!reference.given) {
        Log("LevelSelect's " + name + " field not found");
    }
}

void LevelSelect::Deserialize(const FieldMap& fields) {
    auto reference = references_.begin();
    for (int level = 1; level <= kLevels; ++level) {
        const std::string prefix = "Level" + std::to_string(level);
        Read(fields, prefix + "Button", *reference++);
        Read(fields, prefix + "Place", *reference++);
    }
}

void LevelSelect::Start() {
    const int unlocked = SavedHighestLevelUnlocked();
    auto reference = references_.begin();
    for (int level = 1; level <= kLevels; ++level) {
        Entity* button = Target(*reference++);
        Entity* place = Target(*reference++);
        if (unlocked < level || button == nullptr || place == nullptr) {
            continue;
        }
        button->GetTransform().SetPosition(place->GetTransform().GetPosition());
        place->Destroy();
    }
}

}  // namespace Game
