#include "game/StarFound.h"

#include "engine/entity/Entity.h"
#include "engine/graphics/Image.h"
#include "engine/scene/FieldMap.h"
#include "game/SavedValues.h"

namespace Game {

using namespace VelaEngine;

void StarFound::Deserialize(const FieldMap& fields) {
    id = fields.Get("id", "");
}

void StarFound::Start() {
    // Without an id the marker stands for no star at all.
    const bool found = !id.empty() && SavedStarFound(id);
    if (!found) {
        return;
    }
    if (auto* image = GetOwner()->GetComponent<Graphics::Image>()) {
        image->SetTint(Graphics::Color(1.0f, 1.0f, 1.0f, 1.0f));
    }
}

}  // namespace Game
