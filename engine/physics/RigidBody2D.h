#pragma once
#include "engine/entity/Component.h"

namespace VelaEngine {

// Anything that takes part in collisions, moving or not. Code that needs "some body" asks for
// this type; the concrete kinds are DynamicBody2D and StaticBody2D.
class RigidBody2D : public Component {
public:
    using Component::Component;
};

}  // namespace VelaEngine
