#include "engine/physics/RectCollider.h"

#include <array>

#include "engine/entity/Transform.h"
#include "engine/physics/RectFaces.h"
#include "engine/physics/SegmentIntersection.h"
#include "engine/scene/FieldMap.h"

namespace VelaEngine::Collision {

namespace {
struct Segment {
    Point2 from;
    Point2 to;
};
using Edges = std::array<Segment, 4>;

// Top, right, bottom, left: each corner starts one edge and ends the one before it.
Edges EdgesThrough(const Point2& topLeft, const Point2& topRight, const Point2& bottomRight,
                   const Point2& bottomLeft) {
    return {{{topLeft, topRight},
             {topRight, bottomRight},
             {bottomRight, bottomLeft},
             {bottomLeft, topLeft}}};
}
}  // namespace

void RectCollider::Deserialize(const FieldMap& fields) {
    w_ = fields.Get("w", 0.0f);
    h_ = fields.Get("h", 0.0f);
    material_ = fields.Get("material", Material());
    NoteShapeChange();
}

std::shared_ptr<Component> RectCollider::Clone(Entity* newOwner) const {
    auto copy = MakePacked<RectCollider>(newOwner);
    copy->w_ = w_;
    copy->h_ = h_;
    copy->material_ = material_;
    return copy;
}

bool RectCollider::ContainsPoint(const Point2& point, const Matrix3x3& world) const {
    const RectFaces rect = MakeRectFaces(world, w_, h_);
    // A face of length 0 would make every test against it pass, turning a flat rectangle
    // into an endless band.
    if (HasZeroFace(rect)) {
        return false;
    }
    for (const Vector2* face : {&rect.top, &rect.bottom, &rect.left, &rect.right}) {
        if (!((point - (rect.centre + *face)).Dot(*face) <= 0.0f)) {
            return false;
        }
    }
    return true;
}

bool RectCollider::TestAgainst(const Collider& other, Vector2&, const Matrix3x3& world) const {
    if (other.GetShape() != Shape::Rect) {
        return false;
    }
    const auto* rect = static_cast<const RectCollider*>(&other);
    const RectFaces theirs =
        MakeRectFaces(rect->GetTransform()->GetWorldMatrix(), rect->w_, rect->h_);
    for (const Point2& probe :
         {theirs.centre, theirs.centre + theirs.top, theirs.centre + theirs.bottom,
          theirs.centre + theirs.left, theirs.centre + theirs.right}) {
        if (ContainsPoint(probe, world)) {
            return true;
        }
    }
    const float hw = w_ * 0.5f;
    const float hh = h_ * 0.5f;
    const Edges mine = EdgesThrough(world * Point2(-hw, hh), world * Point2(hw, hh),
                                    world * Point2(hw, -hh), world * Point2(-hw, -hh));
    const Edges others = EdgesThrough(theirs.TopLeft(), theirs.TopRight(), theirs.BottomRight(),
                                      theirs.BottomLeft());
    for (const Segment& a : others) {
        for (const Segment& b : mine) {
            if (SegmentsIntersect(a.from, a.to, b.from, b.to)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace VelaEngine::Collision
