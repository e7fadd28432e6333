#pragma once
// What both cannons share: their range, the tint they show, and the knock a plane gets when
// it touches one.
#include "engine/entity/Entity.h"
#include "engine/graphics/Color.h"

namespace Game {

// A plane this far away or farther is out of range.
constexpr float kCannonRange = 800.0f;
constexpr float kCannonKnock = 2500.0f;

// On the cannon's first Image, when it has one.
void TintCannon(VelaEngine::Entity& cannon, const VelaEngine::Graphics::Color& tint);

// Pushes "Airplane" straight away from the cannon, once per contact; other entities are left
// alone. `user` names the cannon for content errors.
void KnockPlaneAway(VelaEngine::Entity& cannon, VelaEngine::Entity& other, const char* user);

}  // namespace Game
