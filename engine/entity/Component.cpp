#include "engine/entity/Component.h"

#include "engine/entity/Entity.h"

namespace VelaEngine {

Component::Component(Entity* owner)
    : owner_(owner), transform_(owner != nullptr ? owner->GetTransformPtr() : nullptr) {}

void Component::ApplyInstruction(const std::string&) {}
bool Component::IsPassive() const {
    return true;
}
bool Component::HandleClick() {
    return false;
}
void Component::Deserialize(const FieldMap&) {}

}  // namespace VelaEngine
