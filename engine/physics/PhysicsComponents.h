#pragma once
// An entity's first collider, its first dynamic body and whether it is a collision candidate,
// exactly as Entity::GetComponent would tell, but without a run-time cast for the engine's own
// shapes and bodies: the physics passes ask for every candidate of every frame.
namespace VelaEngine {

class DynamicBody2D;
class Entity;

namespace Collision {
class Collider;
}

Collision::Collider* FirstCollider(const Entity& entity);
DynamicBody2D* FirstDynamicBody(const Entity& entity);
// Whether the entity has both a collider and a body: a collision candidate. One walk over
// the components.
bool HasColliderAndBody(const Entity& entity);

}  // namespace VelaEngine
