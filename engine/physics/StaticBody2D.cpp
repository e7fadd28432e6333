#include "engine/physics/StaticBody2D.h"

namespace VelaEngine {

std::shared_ptr<Component> StaticBody2D::Clone(Entity* newOwner) const {
    return std::make_shared<StaticBody2D>(newOwner);
}

}  // namespace VelaEngine
