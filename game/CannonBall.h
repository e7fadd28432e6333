#pragma once
// The ball both cannons fire: a child of "CannonBallGroup" with a circle collider, a body
// that ignores gravity, a picture and a timed removal, all set through field maps.
#include <memory>
#include <string>

#include "engine/entity/Entity.h"
#include "engine/scene/Vector2.h"

namespace Game {

constexpr float kCannonBallSpeed = 500.0f;

// `name` is "CannonBall" or "AutoCannonBall"; `user` names the cannon for content errors.
// The ball starts at rest at `position`, turned by `rotation` degrees.
std::shared_ptr<VelaEngine::Entity> SpawnCannonBall(const std::string& name,
                                                    const VelaEngine::Vector2& position,
                                                    float rotation, const std::string& user);

}  // namespace Game
