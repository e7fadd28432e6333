#include <gtest/gtest.h>

#include "PhysicsTestSupport.h"
#include "engine/physics/CircleRectContact.h"
#include "engine/physics/RectFaces.h"
#include "engine/scene/FieldMap.h"
#include "support/FatalCatcher.h"

using namespace PhysicsTest;
using namespace VelaEngine::Collision;

namespace {

struct ColliderShapeTest : PhysicsWorld {
    Matrix3x3 WorldOf(Entity& entity) { return entity.GetTransform().GetWorldMatrix(); }
    std::shared_ptr<Collision::Collider> Shared(Collision::Collider& collider) {
        return std::static_pointer_cast<Collision::Collider>(collider.shared_from_this());
    }
};

TEST_F(ColliderShapeTest, PointsInsideRectanglesAndCircles) {
    // Turned a quarter and stretched: x spans 100 ± 2, y spans 50 ± 10.
    Entity& turned = AddRoot("Turned", {100.0f, 50.0f}, 90.0f, {2.0f, 1.0f});
    MakeRect(turned, 10.0f, 4.0f);
    Entity& level = AddRoot("Level");
    MakeRect(level, 10.0f, 4.0f);
    Entity& flat = AddRoot("Flat");
    MakeRect(flat, 100.0f, 0.0f);
    Entity& squashed = AddRoot("Squashed", {}, 0.0f, {0.0f, 1.0f});
    MakeRect(squashed, 100.0f, 10.0f);
    Entity& coin = AddRoot("Coin", {100.0f, 0.0f}, 0.0f, {2.0f, 2.0f});
    MakeCircle(coin, 10.0f);
    const struct {
        Entity* shape;
        Point2 point;
        bool inside;
    } cases[] = {
        {&turned, {101.5f, 59.5f}, true},
        {&turned, {103, 50}, false},
        {&turned, {100, 61}, false},
        // On an edge counts as inside.
        {&level, {5, 2}, true},
        {&level, {5.001f, 0}, false},
        // Its width faces alone would accept a whole band above and below a flat rectangle.
        {&flat, {10, 300}, false},
        {&squashed, {0, 0}, false},
        // Strictly within the scaled radius: the rim is outside.
        {&coin, {100, -19}, true},
        {&coin, {120, 0}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shape->GetName() + " " + c.point.ToString());
        const auto* collider = c.shape->GetComponent<Collision::Collider>();
        EXPECT_EQ(collider->ContainsPoint(c.point, WorldOf(*c.shape)), c.inside);
    }
}

TEST_F(ColliderShapeTest, CirclesTouchByWorldPositionsAndUnscaledRadii) {
    Entity& parent = AddRoot("Parent", {1000.0f, 0.0f});
    Entity& a = AddChild(parent, "A", {0.0f, 0.0f});
    Entity& b = AddRoot("B", {1014.0f, 0.0f}, 0.0f, {5.0f, 5.0f});
    CircleCollider& ca = MakeCircle(a, 10.0f);
    CircleCollider& cb = MakeCircle(b, 5.0f);
    Vector2 v;
    EXPECT_TRUE(ca.TestCollision(Shared(cb), v, WorldOf(a)));
    // Exactly touching is not a contact; the scale of B does not grow its radius.
    Place(b, {1015.0f, 0.0f}, 0.0f, {5.0f, 5.0f});
    EXPECT_FALSE(ca.TestCollision(Shared(cb), v, WorldOf(a)));
    // A moving rectangle never reacts to circles; nothing reacts to a missing collider.
    RectCollider& rect = MakeRect(b, 100.0f, 100.0f);
    EXPECT_FALSE(rect.TestCollision(Shared(ca), v, WorldOf(b)));
    EXPECT_FALSE(ca.TestCollision(nullptr, v, WorldOf(a)));
}

TEST_F(ColliderShapeTest, RectanglesTouchByCrossingEdgesOrACentreOrFaceMiddleInside) {
    const struct {
        Vector2 position, otherPosition;
        float size, otherSize;
        bool touch;
    } cases[] = {
        // Corners overlapping: no centre or face middle of either lies inside the other.
        {{0, 0}, {90, 90}, 100, 100, true},
        {{90, 90}, {0, 0}, 100, 100, true},
        {{0, 0}, {101, 0}, 100, 100, false},
        {{0, 0}, {100, 30}, 100, 100, true},  // sharing an edge: segments are closed
        // A small one inside a big one: the big one finds the small one's centre...
        {{0, 0}, {50, 50}, 200, 20, true},
        // ...the small one sees neither the big one's centre nor a face middle.
        {{50, 50}, {0, 0}, 20, 200, false},
        {{5, 0}, {0, 0}, 20, 200, true},
        {{95, 0}, {0, 0}, 20, 200, true},
    };
    Entity& a = AddRoot("A");
    Entity& b = AddRoot("B");
    RectCollider& ra = MakeRect(a, 0.0f, 0.0f);
    RectCollider& rb = MakeRect(b, 0.0f, 0.0f);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position.ToString() + " against " + c.otherPosition.ToString());
        Place(a, c.position);
        Place(b, c.otherPosition);
        ra.SetSize(c.size, c.size);
        rb.SetSize(c.otherSize, c.otherSize);
        Vector2 v;
        EXPECT_EQ(ra.TestCollision(Shared(rb), v, WorldOf(a)), c.touch);
    }
}

TEST_F(ColliderShapeTest, FieldsDefaultsClonesAndBadMaterials) {
    Entity& e = AddRoot("E");
    RectCollider& rect = MakeRect(e, 5.0f, 5.0f);
    CircleCollider& circle = MakeCircle(e, 5.0f);
    circle.SetMaterial(Material(0.1f, 0.2f));
    rect.Deserialize(FieldMap());
    circle.Deserialize(FieldMap());
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

    // A material text of the wrong count ends the program and leaves the material.
    for (const char* text : {"0.5", "0.5,0,1", "0.5;0", ",,"}) {
        Material m(0.25f, 1.0f);
        EXPECT_EQ(TestSupport::FatalMessageOf([&] { m.Deserialize(text); }),
                  "Assertion failed in VEDebug.cpp line 22: Material wrong Serialization format")
            << text;
        EXPECT_EQ(m, Material(0.25f, 1.0f));
    }
}

TEST(CircleAgainstRect, FacesComeFirstThenSunkCentresAndCornersStop) {
    // A 100 × 40 rectangle centred on (0, 0): faces at y = ±20 and x = ±50.
    const RectFaces r = MakeRectFaces(Matrix3x3(), 100.0f, 40.0f);
    struct Case {
        Point2 centre;
        float radius;
        ContactKind kind;
        Vector2 RectFaces::*face;  // the face bounced off, for a reflection
    };
    const Case cases[] = {
        {{30, 29}, 10, ContactKind::Reflect, &RectFaces::top},
        {{-49, -25}, 10, ContactKind::Reflect, &RectFaces::bottom},
        {{-55, 19}, 10, ContactKind::Reflect, &RectFaces::left},
        {{58, 0}, 10, ContactKind::Reflect, &RectFaces::right},
        // Insideness is strict: a centre on a face line is not sunk, it bounces off that face.
        {{10, 20}, 1, ContactKind::Reflect, &RectFaces::top},
        // Exactly one radius away is no contact.
        {{0, 30}, 10, ContactKind::None, nullptr},
        {{49, 19}, 1, ContactKind::Stop, nullptr},
        // Diagonally off the corner (50, 20), 7.07 away: only a larger radius reaches it.
        {{55, 25}, 8, ContactKind::Stop, nullptr},
        {{55, 25}, 7, ContactKind::None, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.centre.ToString() + " radius " + std::to_string(c.radius));
        const CircleRectContact contact = TestCircleAgainstRect(c.centre, c.radius, r);
        EXPECT_EQ(contact.kind, c.kind);
        if (c.face != nullptr) {
            EXPECT_EQ(contact.face, r.*c.face);
        }
    }
}

TEST(CircleAgainstRect, FacesTurnWithTheRectangleAndAFlatOneHasNoneToTouchButKeepsItsEnds) {
    // Turned 90°: the top face looks left, so a circle just left of the centre hits "top".
    const RectFaces r = MakeRectFaces(Matrix3x3::FromTRS({}, 90.0f, {1.0f, 1.0f}), 100.0f, 40.0f);
    const CircleRectContact c = TestCircleAgainstRect({-25.0f, 10.0f}, 10.0f, r);
    EXPECT_EQ(c.kind, ContactKind::Reflect);
    EXPECT_EQ(c.face, r.top);
    // No height: the top and bottom faces have length 0 and are never touched.
    const RectFaces flat = MakeRectFaces(Matrix3x3(), 100.0f, 0.0f);
    EXPECT_EQ(TestCircleAgainstRect({0.0f, 0.0f}, 10.0f, flat).kind, ContactKind::None);
    EXPECT_EQ(TestCircleAgainstRect({0.0f, 5.0f}, 10.0f, flat).kind, ContactKind::None);
    // The corners collapse onto the ends, which still stop a circle.
    EXPECT_EQ(TestCircleAgainstRect({52.0f, 1.0f}, 5.0f, flat).kind, ContactKind::Stop);
    // No width: the same for the side faces.
    const RectFaces thin = MakeRectFaces(Matrix3x3(), 0.0f, 100.0f);
    EXPECT_EQ(TestCircleAgainstRect({3.0f, 0.0f}, 10.0f, thin).kind, ContactKind::None);
}

TEST(ReflectVelocity, TurnsTheNormalPartRoundAndSlowsTheTangentByFriction) {
    const Vector2 up(0.0f, 20.0f);
    // Bounce × (1 − dt) of the normal part comes back; friction takes its rate per second
    // from the tangent.
    Vector2 v = ReflectVelocity({30.0f, -120.0f}, up, Material(0.0f, 6.0f), kDt);
    EXPECT_FLOAT_EQ(v.x, 30.0f * 0.9f);
    EXPECT_EQ(v.y, 0.0f);
    // Leaving the top face upwards still sends the circle back down.
    v = ReflectVelocity({0.0f, 60.0f}, up, Material(1.0f, 0.0f), kDt);
    EXPECT_FLOAT_EQ(v.y, -60.0f * (1.0f - kDt));
    // Straight into a face slanted at 45° comes straight back.
    v = ReflectVelocity({-10.0f, -10.0f}, {3.0f, 3.0f}, Material(1.0f, 0.0f), 0.0f);
    EXPECT_FLOAT_EQ(v.x, 10.0f);
    EXPECT_FLOAT_EQ(v.y, 10.0f);
}

}  // namespace
