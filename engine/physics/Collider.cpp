#include "engine/physics/Collider.h"

#include "engine/entity/Transform.h"

namespace VelaEngine::Collision {

void Collider::NoteShapeChange() const {
    if (GetTransform() != nullptr) {
        GetTransform()->NoteChange();
    }
}

}  // namespace VelaEngine::Collision
