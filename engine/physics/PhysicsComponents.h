#pragma once
// The first collider and the first bodies of an entity, exactly as Entity::GetComponent finds
// them, but without a run-time cast for the engine's own shapes and bodies: the physics
// passes ask for them for every candidate of every frame.
namespace VelaEngine {

class DynamicBody2D;
class Entity;
class RigidBody2D;

namespace Collision {
class Collider;
}

Collision::Collider* FirstCollider(const Entity& entity);
RigidBody2D* FirstBody(const Entity& entity);
DynamicBody2D* FirstDynamicBody(const Entity& entity);

}  // namespace VelaEngine
