#include "game/CannonRules.h"

#include "engine/graphics/Image.h"
#include "engine/physics/DynamicBody2D.h"
#include "game/FlightQueries.h"

namespace Game {

using namespace VelaEngine;

void TintCannon(Entity& cannon, const Graphics::Color& tint) {
    if (auto* image = cannon.GetComponent<Graphics::Image>()) {
        image->SetTint(tint);
    }
}

void KnockPlaneAway(Entity& cannon, Entity& other, const char* user) {
    if (other.GetName() != "Airplane") {
        return;
    }
    const Vector2 d = WorldPositionOf(other) - WorldPositionOf(cannon);
    const float distance = d.Length();
    if (distance == 0.0f) {
        return;  // no way is "away"
    }
    RequireComponent<DynamicBody2D>(other, "DynamicBody2D", user)
        .ApplyImpulse(d / distance * kCannonKnock);
}

}  // namespace Game
