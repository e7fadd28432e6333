#pragma once
// Position, rotation and scale relative to the parent, and the local matrix built lazily
// from them. Every entity has exactly one, as its first component.
#include <cstdint>
#include <memory>
#include <string>

#include "engine/entity/Component.h"
#include "engine/entity/Matrix3x3.h"
#include "engine/entity/TransformWatcher.h"
#include "engine/scene/Vector2.h"

namespace VelaEngine {

class Transform : public Component {
public:
    // Matrices this close to the identity in every element are treated as the identity.
    static constexpr float kIdentityTolerance = 0.00001f;

    explicit Transform(Entity* owner);
    ~Transform() override;

    const char* GetTypeName() const override { return "Transform"; }
    // "t" position, "r" rotation and "s" scale; an absent scale is (0, 0).
    void Deserialize(const FieldMap& fields) override;
    // What Deserialize does with the three values already read: the loader's quick path.
    void Place(const Vector2& position, float rotation, const Vector2& scale);
    std::shared_ptr<Component> Clone(Entity* newOwner) const override;

    const Vector2& GetPosition() const { return position_; }
    float GetRotation() const { return rotation_; }
    const Vector2& GetScale() const { return scale_; }
    // Each setter marks the matrix for rebuilding.
    void SetPosition(const Vector2& position);
    void SetRotation(float degrees);
    void SetScale(const Vector2& scale);
    void SetChanged() {
        changed_ = true;
        turnedOrScaled_ = true;
        NoteChange();
    }
    // Also for changes that leave the matrix alone but move what the entity occupies (its
    // collider's size) or how it answers a contact (its collider's material).
    void NoteChange() {
        ++edits_;
        if (watcher_ != nullptr) {
            watcher_->Moved(*this);
        }
    }
    // The one watcher told of this transform's changes and death (null: none), with a tag of
    // the watcher's choosing that it reads back to find its own record at once.
    void Watch(TransformWatcher* watcher, std::uint32_t tag) {
        watcher_ = watcher;
        watchTag_ = tag;
    }
    TransformWatcher* GetWatcher() const { return watcher_; }
    std::uint32_t GetWatchTag() const { return watchTag_; }

    // Rebuilds the local matrix and the identity flag after a change.
    void UpdateMatrix() {
        if (changed_) {
            Rebuild();
        }
    }
    // Counts the changes noted: by the setters, a new parent, a collider's new size or
    // material. While it stays put, all of these are the same to the bit.
    std::uint64_t GetEdits() const { return edits_; }
    // Counts the rebuilds of the local matrix: while it stays put, so does the matrix.
    std::uint64_t GetMatrixVersion() const { return matrixVersion_; }
    // Counts the rebuilds of all but the translation: while it stays put, a rebuild changed
    // the third column alone.
    std::uint64_t GetTurnVersion() const { return turnVersion_; }
    const Matrix3x3& GetLocalMatrix() {
        UpdateMatrix();
        return local_;
    }
    bool IsIdentity() {
        UpdateMatrix();
        return identity_;
    }
    // The local matrix with every ancestor's applied, parent first.
    Matrix3x3 GetWorldMatrix();
    // A root's is its position, which the matrix's translation only copies.
    Point2 GetWorldPosition() {
        if (parent_ == nullptr) {
            return {position_.x, position_.y};
        }
        return WorldPositionUnderParent();
    }

    // Also appends the owner to the parent entity's children; only for an entity that is in
    // no owning list yet.
    void SetParent(Transform* parent);
    Transform* GetParent() const { return parent_; }
    // A path of child names below this transform; see Entity::Find for the rules.
    Transform* FindChild(const std::string& path) const;

private:
    void Rebuild();
    Point2 WorldPositionUnderParent();

    // First what a resting entity's frame reads, beside the component's own fields: the
    // position, whether the matrix is due, the counts and the watcher.
    Vector2 position_;
    bool changed_ = false;
    // Whether the next rebuild needs more than the position: a move alone only rewrites the
    // translation. Set from the start, so the first change builds the whole matrix.
    bool turnedOrScaled_ = true;
    bool unmovedIdentity_ = true;
    bool identity_ = true;
    std::uint32_t watchTag_ = 0;
    std::uint64_t edits_ = 0;
    std::uint64_t matrixVersion_ = 0;
    TransformWatcher* watcher_ = nullptr;
    Transform* parent_ = nullptr;
    float rotation_ = 0.0f;
    Vector2 scale_;
    Matrix3x3 local_;
    std::uint64_t turnVersion_ = 0;
};

}  // namespace VelaEngine
