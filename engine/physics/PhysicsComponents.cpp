#include "engine/physics/PhysicsComponents.h"

#include <typeinfo>

#include "engine/entity/Entity.h"
#include "engine/entity/Transform.h"
#include "engine/physics/CircleCollider.h"
#include "engine/physics/DynamicBody2D.h"
#include "engine/physics/RectCollider.h"
#include "engine/physics/RigidBody2D.h"
#include "engine/physics/StaticBody2D.h"

namespace VelaEngine {

namespace {
enum class Kind { Transform, Circle, Rect, Dynamic, Static, Other };

// By the identity of the exact type; anything else (or a type whose identity is not unique
// in this program) is left to a run-time cast.
Kind KindOf(const Component& component) {
    const std::type_info* type = &typeid(component);
    if (type == &typeid(Transform)) {
        return Kind::Transform;
    }
    if (type == &typeid(Collision::CircleCollider)) {
        return Kind::Circle;
    }
    if (type == &typeid(Collision::RectCollider)) {
        return Kind::Rect;
    }
    if (type == &typeid(DynamicBody2D)) {
        return Kind::Dynamic;
    }
    if (type == &typeid(StaticBody2D)) {
        return Kind::Static;
    }
    return Kind::Other;
}

// The first component for which `is` says yes, or, for components of other types, which
// is a T.
template <class T, class Is>
T* First(const Entity& entity, Is is) {
    for (const auto& component : entity.GetComponents()) {
        const Kind kind = KindOf(*component);
        if (kind == Kind::Other) {
            if (T* found = dynamic_cast<T*>(component.get())) {
                return found;
            }
        } else if (is(kind)) {
            return static_cast<T*>(component.get());
        }
    }
    return nullptr;
}
}  // namespace

Collision::Collider* FirstCollider(const Entity& entity) {
    return First<Collision::Collider>(
        entity, [](Kind kind) { return kind == Kind::Circle || kind == Kind::Rect; });
}

DynamicBody2D* FirstDynamicBody(const Entity& entity) {
    return First<DynamicBody2D>(entity, [](Kind kind) { return kind == Kind::Dynamic; });
}

bool HasColliderAndBody(const Entity& entity) {
    bool collider = false;
    bool body = false;
    for (const auto& component : entity.GetComponents()) {
        switch (KindOf(*component)) {
            case Kind::Transform:
                break;
            case Kind::Circle:
            case Kind::Rect:
                collider = true;
                break;
            case Kind::Dynamic:
            case Kind::Static:
                body = true;
                break;
            case Kind::Other:
                collider =
                    collider || dynamic_cast<Collision::Collider*>(component.get()) != nullptr;
                body = body || dynamic_cast<RigidBody2D*>(component.get()) != nullptr;
                break;
        }
        if (collider && body) {
            return true;
        }
    }
    return false;
}

}  // namespace VelaEngine
