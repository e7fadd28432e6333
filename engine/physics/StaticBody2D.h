#pragma once
#include <memory>

#include "engine/physics/RigidBody2D.h"

namespace VelaEngine {

// A body that collides but never moves by itself: floors, walls, flags.
class StaticBody2D : public RigidBody2D {
public:
    using RigidBody2D::RigidBody2D;

    const char* GetTypeName() const override { return "StaticBody2D"; }
    std::shared_ptr<Component> Clone(Entity* newOwner) const override;
};

}  // namespace VelaEngine
