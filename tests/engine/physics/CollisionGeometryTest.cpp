#include <gtest/gtest.h>

#include "engine/entity/Matrix3x3.h"
#include "engine/physics/CircleRectContact.h"
#include "engine/physics/RectFaces.h"

using namespace VelaEngine;
using namespace VelaEngine::Collision;

namespace {

constexpr float kDt = 1.0f / 60.0f;

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
