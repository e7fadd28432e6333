#include "engine/entity/Transform.h"

#include "engine/entity/Entity.h"
#include "engine/scene/FieldMap.h"

namespace VelaEngine {

Transform::Transform(Entity* owner) : Component(owner) {
    ++TransformChangeLog::made;
}

Transform::~Transform() {
    TransformChangeLog::Forget(*this);
}

void Transform::Deserialize(const FieldMap& fields) {
    position_ = fields.Get("t", Vector2());
    rotation_ = fields.Get("r", 0.0f);
    scale_ = fields.Get("s", Vector2());
    changed_ = true;
    NoteChange();
}

std::shared_ptr<Component> Transform::Clone(Entity* newOwner) const {
    auto copy = std::make_shared<Transform>(newOwner);
    copy->position_ = position_;
    copy->rotation_ = rotation_;
    copy->scale_ = scale_;
    copy->changed_ = true;
    return copy;
}

void Transform::SetPosition(const Vector2& position) {
    position_ = position;
    changed_ = true;
    NoteChange();
}

void Transform::SetRotation(float degrees) {
    rotation_ = degrees;
    changed_ = true;
    NoteChange();
}

void Transform::SetScale(const Vector2& scale) {
    scale_ = scale;
    changed_ = true;
    NoteChange();
}

void Transform::UpdateMatrix() {
    if (!changed_) {
        return;
    }
    local_ = Matrix3x3::FromTRS(position_, rotation_, scale_);
    ++matrixVersion_;
    changed_ = false;
    identity_ = local_.IsNearIdentity(kIdentityTolerance);
}

const Matrix3x3& Transform::GetLocalMatrix() {
    UpdateMatrix();
    return local_;
}

bool Transform::IsIdentity() {
    UpdateMatrix();
    return identity_;
}

Matrix3x3 Transform::GetWorldMatrix() {
    Matrix3x3 world = GetLocalMatrix();
    for (Transform* p = parent_; p != nullptr; p = p->parent_) {
        world = p->GetLocalMatrix() * world;
    }
    return world;
}

Point2 Transform::GetWorldPosition() {
    const Matrix3x3 world = GetWorldMatrix();
    return {world.m[0][2], world.m[1][2]};
}

void Transform::SetParent(Transform* parent) {
    parent_ = parent;
    NoteChange();
    if (parent != nullptr) {
        parent->GetOwner()->GetChildren().push_back(GetOwner()->shared_from_this());
    }
}

}  // namespace VelaEngine
