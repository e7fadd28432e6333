#include "engine/entity/Transform.h"

#include <cmath>

#include "engine/entity/Entity.h"
#include "engine/scene/FieldMap.h"
#include "engine/scene/SameBits.h"

namespace VelaEngine {

Transform::Transform(Entity* owner) : Component(owner) {}

Transform::~Transform() {
    if (watcher_ != nullptr) {
        watcher_->Gone(*this);
    }
}

void Transform::Deserialize(const FieldMap& fields) {
    position_ = fields.Get("t", Vector2());
    rotation_ = fields.Get("r", 0.0f);
    scale_ = fields.Get("s", Vector2());
    SetChanged();
}

void Transform::Place(const Vector2& position, float rotation, const Vector2& scale) {
    position_ = position;
    rotation_ = rotation;
    scale_ = scale;
    SetChanged();
}

std::shared_ptr<Component> Transform::Clone(Entity* newOwner) const {
    auto copy = MakePacked<Transform>(newOwner);
    copy->position_ = position_;
    copy->rotation_ = rotation_;
    copy->scale_ = scale_;
    copy->changed_ = true;
    return copy;
}

// Setting what is already there marks nothing: a bounce puts a body back where it was
// once per contact, and nothing derived from the placement needs working out again.
void Transform::SetPosition(const Vector2& position) {
    if (SameBits2(position, position_)) {
        return;
    }
    position_ = position;
    changed_ = true;
    NoteChange();
}

void Transform::SetRotation(float degrees) {
    if (SameBits(degrees, rotation_)) {
        return;
    }
    rotation_ = degrees;
    changed_ = true;
    turnedOrScaled_ = true;
    NoteChange();
}

void Transform::SetScale(const Vector2& scale) {
    if (SameBits2(scale, scale_)) {
        return;
    }
    scale_ = scale;
    changed_ = true;
    turnedOrScaled_ = true;
    NoteChange();
}

void Transform::Rebuild() {
    if (turnedOrScaled_) {
        local_ = Matrix3x3::FromTRS(position_, rotation_, scale_);
        turnedOrScaled_ = false;
        ++turnVersion_;
        // Everything but the translation, which a move alone rewrites.
        Matrix3x3 unmoved = local_;
        unmoved.m[0][2] = 0.0f;
        unmoved.m[1][2] = 0.0f;
        unmovedIdentity_ = unmoved.IsNearIdentity(kIdentityTolerance);
    } else {
        // FromTRS puts the position in the translation as it is, beside the turn and scale.
        local_.m[0][2] = position_.x;
        local_.m[1][2] = position_.y;
    }
    ++matrixVersion_;
    changed_ = false;
    // Written so that a NaN never counts as near 0.
    identity_ = unmovedIdentity_ && std::fabs(local_.m[0][2]) <= kIdentityTolerance &&
                std::fabs(local_.m[1][2]) <= kIdentityTolerance;
}

Matrix3x3 Transform::GetWorldMatrix() {
    Matrix3x3 world = GetLocalMatrix();
    for (Transform* p = parent_; p != nullptr; p = p->parent_) {
        world = p->GetLocalMatrix() * world;
    }
    return world;
}

Point2 Transform::WorldPositionUnderParent() {
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
