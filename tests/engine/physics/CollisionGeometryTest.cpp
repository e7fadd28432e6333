#include <gtest/gtest.h>

#include <cmath>

#include "engine/entity/Matrix3x3.h"
#include "engine/physics/CircleRectContact.h"
#include "engine/physics/RectFaces.h"
#include "engine/physics/SegmentIntersection.h"

using namespace VelaEngine;
using namespace VelaEngine::Collision;

namespace {

constexpr float kDt = 1.0f / 60.0f;

// A 100 × 40 rectangle centred on (0, 0): faces at y = ±20 and x = ±50.
RectFaces Level() {
    return MakeRectFaces(Matrix3x3(), 100.0f, 40.0f);
}

TEST(RectFaces, FollowTheMatrixRotationAndScale) {
    const RectFaces r =
        MakeRectFaces(Matrix3x3::FromTRS({5.0f, 6.0f}, 90.0f, {2.0f, 1.0f}), 10.0f, 4.0f);
    EXPECT_EQ(r.centre, Point2(5.0f, 6.0f));
    // Turned a quarter: the top face looks left, the right face looks up, scaled by 2.
    EXPECT_NEAR(r.top.x, -2.0f, 1e-6);
    EXPECT_NEAR(r.top.y, 0.0f, 1e-6);
    EXPECT_NEAR(r.right.x, 0.0f, 1e-6);
    EXPECT_NEAR(r.right.y, 10.0f, 1e-5);
    EXPECT_NEAR(r.BottomLeft().x, 5.0f + 2.0f, 1e-5);
    EXPECT_NEAR(r.BottomLeft().y, 6.0f - 10.0f, 1e-5);
}

TEST(CircleAgainstRect, ReflectsOffTheFaceItsCentreIsInFrontOf) {
    const RectFaces r = Level();
    CircleRectContact c = TestCircleAgainstRect({30.0f, 29.0f}, 10.0f, r);
    EXPECT_EQ(c.kind, ContactKind::Reflect);
    EXPECT_EQ(c.face, r.top);
    c = TestCircleAgainstRect({-49.0f, -25.0f}, 10.0f, r);
    EXPECT_EQ(c.kind, ContactKind::Reflect);
    EXPECT_EQ(c.face, r.bottom);
    c = TestCircleAgainstRect({-55.0f, 19.0f}, 10.0f, r);
    EXPECT_EQ(c.kind, ContactKind::Reflect);
    EXPECT_EQ(c.face, r.left);
    c = TestCircleAgainstRect({58.0f, 0.0f}, 10.0f, r);
    EXPECT_EQ(c.kind, ContactKind::Reflect);
    EXPECT_EQ(c.face, r.right);
}

TEST(CircleAgainstRect, ExactlyOneRadiusAwayIsNoContact) {
    EXPECT_EQ(TestCircleAgainstRect({0.0f, 30.0f}, 10.0f, Level()).kind, ContactKind::None);
    EXPECT_EQ(TestCircleAgainstRect({60.0f, 0.0f}, 10.0f, Level()).kind, ContactKind::None);
    EXPECT_EQ(TestCircleAgainstRect({0.0f, -500.0f}, 10.0f, Level()).kind, ContactKind::None);
}

TEST(CircleAgainstRect, ASunkCentreStops) {
    EXPECT_EQ(TestCircleAgainstRect({49.0f, 19.0f}, 1.0f, Level()).kind, ContactKind::Stop);
}

TEST(CircleAgainstRect, ACentreOnAFaceLineBouncesOffThatFace) {
    // Insideness is strict, so the centre is not sunk; its distance to the face is 0.
    const CircleRectContact c = TestCircleAgainstRect({10.0f, 20.0f}, 1.0f, Level());
    EXPECT_EQ(c.kind, ContactKind::Reflect);
    EXPECT_EQ(c.face, Level().top);
}

TEST(CircleAgainstRect, ACornerContactStopsAndOnlyWithinTheRadius) {
    // Diagonally off the top-right corner (50, 20), 7.07 away.
    EXPECT_EQ(TestCircleAgainstRect({55.0f, 25.0f}, 8.0f, Level()).kind, ContactKind::Stop);
    EXPECT_EQ(TestCircleAgainstRect({55.0f, 25.0f}, 7.0f, Level()).kind, ContactKind::None);
    EXPECT_EQ(TestCircleAgainstRect({-55.0f, -25.0f}, 8.0f, Level()).kind, ContactKind::Stop);
}

TEST(CircleAgainstRect, FacesOfATurnedRectangleTurnWithIt) {
    // Turned 90°: the top face looks left, so a circle just left of the centre hits "top".
    const RectFaces r = MakeRectFaces(Matrix3x3::FromTRS({}, 90.0f, {1.0f, 1.0f}), 100.0f, 40.0f);
    const CircleRectContact c = TestCircleAgainstRect({-25.0f, 10.0f}, 10.0f, r);
    EXPECT_EQ(c.kind, ContactKind::Reflect);
    EXPECT_EQ(c.face, r.top);
}

TEST(CircleAgainstRect, AFlatRectangleHasNoFaceToTouchButKeepsItsEnds) {
    // No height: the top and bottom faces have length 0 and are never touched.
    const RectFaces flat = MakeRectFaces(Matrix3x3(), 100.0f, 0.0f);
    EXPECT_EQ(TestCircleAgainstRect({0.0f, 0.0f}, 10.0f, flat).kind, ContactKind::None);
    EXPECT_EQ(TestCircleAgainstRect({0.0f, 5.0f}, 10.0f, flat).kind, ContactKind::None);
    // The corners collapse onto the ends, which still stop a circle.
    EXPECT_EQ(TestCircleAgainstRect({52.0f, 1.0f}, 5.0f, flat).kind, ContactKind::Stop);
    // No width: the same for the side faces.
    const RectFaces thin = MakeRectFaces(Matrix3x3(), 0.0f, 100.0f);
    EXPECT_EQ(TestCircleAgainstRect({3.0f, 0.0f}, 10.0f, thin).kind, ContactKind::None);
    EXPECT_TRUE(HasZeroFace(flat));
    EXPECT_TRUE(HasZeroFace(thin));
    EXPECT_FALSE(HasZeroFace(Level()));
}

TEST(ReflectVelocity, SendsBackBounceOfTheNormalPartAndKeepsTheRest) {
    const Vector2 v = ReflectVelocity({30.0f, -120.0f}, {0.0f, 20.0f}, Material(0.5f, 0.0f), kDt);
    EXPECT_EQ(v.x, 30.0f);
    EXPECT_FLOAT_EQ(v.y, 120.0f * 0.5f * (1.0f - kDt));
}

TEST(ReflectVelocity, FrictionTakesItsRatePerSecondFromTheTangent) {
    const Vector2 v = ReflectVelocity({30.0f, -120.0f}, {0.0f, 20.0f}, Material(0.0f, 6.0f), kDt);
    EXPECT_FLOAT_EQ(v.x, 30.0f * 0.9f);
    EXPECT_EQ(v.y, 0.0f);
}

TEST(ReflectVelocity, TurnsTheNormalPartRoundEvenWhenMovingAway) {
    // Leaving the top face upwards still sends the circle back down.
    const Vector2 v = ReflectVelocity({0.0f, 60.0f}, {0.0f, 20.0f}, Material(1.0f, 0.0f), kDt);
    EXPECT_FLOAT_EQ(v.y, -60.0f * (1.0f - kDt));
}

TEST(ReflectVelocity, WorksAlongSlantedFaces) {
    // A face looking up and right at 45°: a velocity straight into it comes straight back.
    const Vector2 v = ReflectVelocity({-10.0f, -10.0f}, {3.0f, 3.0f}, Material(1.0f, 0.0f), 0.0f);
    EXPECT_FLOAT_EQ(v.x, 10.0f);
    EXPECT_FLOAT_EQ(v.y, 10.0f);
}

TEST(SegmentsIntersect, CrossingAndApartSegments) {
    EXPECT_TRUE(SegmentsIntersect({0, 0}, {10, 10}, {0, 10}, {10, 0}));
    EXPECT_FALSE(SegmentsIntersect({0, 0}, {10, 0}, {0, 1}, {10, 1}));
    // One would cross the other's line, but beyond its end.
    EXPECT_FALSE(SegmentsIntersect({0, 0}, {10, 0}, {11, -5}, {11, 5}));
}

TEST(SegmentsIntersect, ClosedEndsAndCollinearPieces) {
    // An end resting on the other segment.
    EXPECT_TRUE(SegmentsIntersect({0, 0}, {10, 0}, {5, 0}, {5, 7}));
    // Ends meeting.
    EXPECT_TRUE(SegmentsIntersect({0, 0}, {10, 0}, {10, 0}, {20, 5}));
    // Collinear, overlapping, and collinear with a gap.
    EXPECT_TRUE(SegmentsIntersect({0, 0}, {10, 0}, {8, 0}, {15, 0}));
    EXPECT_FALSE(SegmentsIntersect({0, 0}, {10, 0}, {11, 0}, {15, 0}));
    // On the other's line but off its end.
    EXPECT_FALSE(SegmentsIntersect({0, 0}, {10, 0}, {12, 0}, {12, 5}));
}

}  // namespace
