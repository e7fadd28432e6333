#include <gtest/gtest.h>

#include "PhysicsTestSupport.h"
#include "engine/scene/FieldMap.h"

using namespace PhysicsTest;

namespace {

struct ColliderShapeTest : PhysicsWorld {
    Matrix3x3 WorldOf(Entity& entity) { return entity.GetTransform().GetWorldMatrix(); }
    std::shared_ptr<Collision::Collider> Shared(Collision::Collider& collider) {
        return std::static_pointer_cast<Collision::Collider>(collider.shared_from_this());
    }
};

TEST_F(ColliderShapeTest, RectangleContainsItsInsideAndEdgesInItsOwnFrame) {
    Entity& e = AddRoot("Box", {100.0f, 50.0f}, 90.0f, {2.0f, 1.0f});
    RectCollider& rect = MakeRect(e, 10.0f, 4.0f);
    const Matrix3x3 world = WorldOf(e);
    // Turned a quarter and stretched: x spans 100 ± 2, y spans 50 ± 10.
    EXPECT_TRUE(rect.ContainsPoint({100.0f, 50.0f}, world));
    EXPECT_TRUE(rect.ContainsPoint({101.5f, 59.5f}, world));
    EXPECT_FALSE(rect.ContainsPoint({103.0f, 50.0f}, world));
    EXPECT_FALSE(rect.ContainsPoint({100.0f, 61.0f}, world));
    // On an edge counts as inside.
    const Matrix3x3 level = Matrix3x3::FromTRS({0.0f, 0.0f}, 0.0f, {1.0f, 1.0f});
    EXPECT_TRUE(rect.ContainsPoint({5.0f, 2.0f}, level));
    EXPECT_TRUE(rect.ContainsPoint({-5.0f, 0.0f}, level));
    EXPECT_FALSE(rect.ContainsPoint({5.001f, 0.0f}, level));
}

TEST_F(ColliderShapeTest, AFlatRectangleHoldsNoPoint) {
    Entity& e = AddRoot("Flat");
    RectCollider& rect = MakeRect(e, 100.0f, 0.0f);
    // Its width faces alone would accept a whole band above and below it.
    EXPECT_FALSE(rect.ContainsPoint({0.0f, 0.0f}, WorldOf(e)));
    EXPECT_FALSE(rect.ContainsPoint({10.0f, 300.0f}, WorldOf(e)));
    rect.SetSize(100.0f, 10.0f);
    Place(e, {}, 0.0f, {0.0f, 1.0f});
    EXPECT_FALSE(rect.ContainsPoint({0.0f, 0.0f}, WorldOf(e))) << "scaled to no width";
}

TEST_F(ColliderShapeTest, CircleContainsStrictlyWithinItsScaledRadius) {
    Entity& e = AddRoot("Coin", {100.0f, 0.0f}, 0.0f, {2.0f, 2.0f});
    CircleCollider& circle = MakeCircle(e, 10.0f);
    const Matrix3x3 world = WorldOf(e);
    EXPECT_TRUE(circle.ContainsPoint({115.0f, 0.0f}, world));
    EXPECT_TRUE(circle.ContainsPoint({100.0f, -19.0f}, world));
    EXPECT_FALSE(circle.ContainsPoint({120.0f, 0.0f}, world)) << "the rim is outside";
    EXPECT_FALSE(circle.ContainsPoint({121.0f, 0.0f}, world));
}

TEST_F(ColliderShapeTest, CirclesTouchByWorldPositionsAndUnscaledRadii) {
    Entity& parent = AddRoot("Parent", {1000.0f, 0.0f});
    Entity& a = AddChild(parent, "A", {0.0f, 0.0f});
    Entity& b = AddRoot("B", {1014.0f, 0.0f}, 0.0f, {5.0f, 5.0f});
    CircleCollider& ca = MakeCircle(a, 10.0f);
    CircleCollider& cb = MakeCircle(b, 5.0f);
    Vector2 v;
    EXPECT_TRUE(ca.TestCollision(Shared(cb), v, WorldOf(a)));
    EXPECT_EQ(v, Vector2(0.0f, 0.0f));
    // Exactly touching is not a contact; the scale of B does not grow its radius.
    Place(b, {1015.0f, 0.0f}, 0.0f, {5.0f, 5.0f});
    EXPECT_FALSE(ca.TestCollision(Shared(cb), v, WorldOf(a)));
}

TEST_F(ColliderShapeTest, ShapesThatDoNotReactToEachOther) {
    Entity& a = AddRoot("A");
    Entity& b = AddRoot("B");
    RectCollider& rect = MakeRect(a, 100.0f, 100.0f);
    CircleCollider& circle = MakeCircle(b, 10.0f);
    Vector2 v(7.0f, 7.0f);
    // A moving rectangle never reacts to circles; nothing reacts to a missing collider.
    EXPECT_FALSE(rect.TestCollision(Shared(circle), v, WorldOf(a)));
    EXPECT_FALSE(circle.TestCollision(nullptr, v, WorldOf(b)));
    EXPECT_EQ(v, Vector2(7.0f, 7.0f));
}

TEST_F(ColliderShapeTest, RectanglesCrossingOnlyAtTheirEdgesTouch) {
    // Corners overlapping: no centre or face middle of either lies inside the other.
    Entity& a = AddRoot("A");
    Entity& b = AddRoot("B", {90.0f, 90.0f});
    RectCollider& ra = MakeRect(a, 100.0f, 100.0f);
    RectCollider& rb = MakeRect(b, 100.0f, 100.0f);
    Vector2 v;
    EXPECT_TRUE(ra.TestCollision(Shared(rb), v, WorldOf(a)));
    EXPECT_TRUE(rb.TestCollision(Shared(ra), v, WorldOf(b)));
    EXPECT_EQ(v, Vector2(0.0f, 0.0f));
    Place(b, {101.0f, 0.0f});
    EXPECT_FALSE(ra.TestCollision(Shared(rb), v, WorldOf(a)));
    // Sharing an edge is a contact: segments are closed.
    Place(b, {100.0f, 30.0f});
    EXPECT_TRUE(ra.TestCollision(Shared(rb), v, WorldOf(a)));
}

TEST_F(ColliderShapeTest, ContainmentIsSeenThroughTheCentreAndFaceMiddlesOnly) {
    Entity& big = AddRoot("Big");
    Entity& small = AddRoot("Small", {50.0f, 50.0f});
    RectCollider& rb = MakeRect(big, 200.0f, 200.0f);
    RectCollider& rs = MakeRect(small, 20.0f, 20.0f);
    Vector2 v;
    // The big one finds the small one's centre inside itself...
    EXPECT_TRUE(rb.TestCollision(Shared(rs), v, WorldOf(big)));
    // ...but the small one sees neither the big one's centre nor a face middle, and no edges
    // cross.
    EXPECT_FALSE(rs.TestCollision(Shared(rb), v, WorldOf(small)));
    // Over the big one's centre, the small one finds it.
    Place(small, {5.0f, 0.0f});
    EXPECT_TRUE(rs.TestCollision(Shared(rb), v, WorldOf(small)));
    // Over the middle of the big one's right face, too.
    Place(small, {95.0f, 0.0f});
    EXPECT_TRUE(rs.TestCollision(Shared(rb), v, WorldOf(small)));
}

TEST_F(ColliderShapeTest, FieldsDefaultsAndClones) {
    Entity& e = AddRoot("E");
    RectCollider& rect = MakeRect(e, 5.0f, 5.0f);
    CircleCollider& circle = MakeCircle(e, 5.0f, Material(0.1f, 0.2f));
    FieldMap none;
    rect.Deserialize(none);
    circle.Deserialize(none);
    EXPECT_EQ(rect.GetWidth(), 0.0f);
    EXPECT_EQ(rect.GetHeight(), 0.0f);
    EXPECT_EQ(rect.GetMaterial(), Material(0.5f, 0.0f));
    EXPECT_EQ(circle.GetRadius(), 0.0f);
    EXPECT_EQ(circle.GetMaterial(), Material(0.5f, 0.0f));

    FieldMap fields;
    fields.Set("w", "120");
    fields.Set("h", "8.5");
    fields.Set("radius", "12.5");
    fields.Set("material", "0.0,3");
    rect.Deserialize(fields);
    circle.Deserialize(fields);
    auto other = Entity::Create("Other");
    auto rectCopy = std::dynamic_pointer_cast<RectCollider>(rect.Clone(other.get()));
    auto circleCopy = std::dynamic_pointer_cast<CircleCollider>(circle.Clone(other.get()));
    ASSERT_TRUE(rectCopy && circleCopy);
    EXPECT_EQ(rectCopy->GetWidth(), 120.0f);
    EXPECT_EQ(rectCopy->GetHeight(), 8.5f);
    EXPECT_EQ(rectCopy->GetMaterial(), Material(0.0f, 3.0f));
    EXPECT_EQ(circleCopy->GetRadius(), 12.5f);
    EXPECT_EQ(circleCopy->GetMaterial(), Material(0.0f, 3.0f));
    EXPECT_EQ(circleCopy->GetOwner(), other.get());
}

}  // namespace
