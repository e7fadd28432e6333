#pragma once
#include <memory>

#include "engine/physics/Collider.h"

namespace VelaEngine::Collision {

// A w × h rectangle centred on its entity, turning and scaling with it.
class RectCollider : public Collider {
public:
    explicit RectCollider(Entity* owner) : Collider(owner, Shape::Rect) {}

    const char* GetTypeName() const override { return "RectCollider"; }
    // "w" and "h" (default 0) and "material" (default 0.5,0).
    void Deserialize(const FieldMap& fields) override;
    std::shared_ptr<Component> Clone(Entity* newOwner) const override;

    // Inside or on an edge. A rectangle with no width or no height holds no point.
    bool ContainsPoint(const Point2& point, const Matrix3x3& world) const override;
    // Only against another rectangle: its centre or a face middle inside this one, or any
    // two edges crossing. Never writes a new velocity.
    bool TestAgainst(const Collider& other, Vector2& newVelocity,
                     const Matrix3x3& world) const override;

    float GetWidth() const { return w_; }
    float GetHeight() const { return h_; }
    void SetSize(float w, float h) {
        w_ = w;
        h_ = h;
        NoteShapeChange();
    }

private:
    float w_ = 0.0f;
    float h_ = 0.0f;
};

}  // namespace VelaEngine::Collision
