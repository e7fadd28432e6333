#pragma once
// The shape of an entity for contacts and clicks. Whether the shape collides is up to the
// entity's body; a collider alone never does.
#include <memory>

#include "engine/entity/Component.h"
#include "engine/entity/Matrix3x3.h"
#include "engine/physics/Material.h"
#include "engine/scene/Vector2.h"

namespace VelaEngine::Collision {

class Collider : public Component {
public:
    // What a contact test needs to know of the other shape, without a run-time type test
    // for every pair of every frame.
    enum class Shape { Circle, Rect };

    Collider(Entity* owner, Shape shape) : Component(owner), shape_(shape) {}

    // `world` is this collider's own world matrix: the matrix stack's top while its entity
    // is visited.
    virtual bool ContainsPoint(const Point2& point, const Matrix3x3& world) const = 0;
    // Whether the two shapes touch. `newVelocity` comes in as (0, 0) and is written only
    // when a circle bounces off a rectangle's face.
    virtual bool TestCollision(const std::shared_ptr<Collider>& other, Vector2& newVelocity,
                               const Matrix3x3& world) const {
        return other != nullptr && TestAgainst(*other, newVelocity, world);
    }
    // The same test on a collider the caller holds: the contact pass asks it for every pair
    // of every frame, without sharing the other each time.
    virtual bool TestAgainst(const Collider& other, Vector2& newVelocity,
                             const Matrix3x3& world) const = 0;

    Shape GetShape() const { return shape_; }
    const Material& GetMaterial() const { return material_; }
    // Counted as a change of shape: a body at rest repeats its contacts only while its
    // transform notes no change.
    void SetMaterial(const Material& material) {
        material_ = material;
        NoteShapeChange();
    }

protected:
    // What the entity occupies changed: the contact broad phase must look at it again.
    void NoteShapeChange() const;

    Material material_;

private:
    Shape shape_;
};

}  // namespace VelaEngine::Collision
