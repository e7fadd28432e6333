#include <gtest/gtest.h>

#include "platform/EBMath.h"

namespace {
EBLineSegment Segment(float x0, float y0, float x1, float y1) {
    EBLineSegment s;
    EBBuildLineSegment(s, EBVec2{x0, y0}, EBVec2{x1, y1});
    return s;
}
}  // namespace

TEST(MathScalars, EdgeBehaviours) {
    EXPECT_FLOAT_EQ(EBWrap(25.0f, 0.0f, 10.0f), 15.0f);  // one wrap only
    EXPECT_FLOAT_EQ(EBWrap(-3.0f, 0.0f, 10.0f), 7.0f);
    EXPECT_FLOAT_EQ(EBWrap(10.0f, 0.0f, 10.0f), 10.0f);
    EXPECT_EQ(EBNextPowOf2(16), 32u);
    EXPECT_EQ(EBNextPowOf2(8), 16u);
    EXPECT_EQ(EBNextPowOf2(0), 1u);
    EXPECT_EQ(EBNextPowOf2(17), 32u);
    EXPECT_TRUE(EBIsPowOf2(1));
    EXPECT_TRUE(EBIsPowOf2(64));
    EXPECT_FALSE(EBIsPowOf2(0));
    EXPECT_FALSE(EBIsPowOf2(12));
    EXPECT_EQ(EBLogBase2(0), 0u);
    EXPECT_EQ(EBLogBase2(1), 0u);
    EXPECT_EQ(EBLogBase2(1024), 10u);
    EXPECT_EQ(EBLogBase2(1025), 10u);
    EXPECT_FLOAT_EQ(EBClamp(-2.0f, 0.0f, 1.0f), 0.0f);
    EXPECT_FLOAT_EQ(EBClamp(2.0f, 0.0f, 1.0f), 1.0f);
    EXPECT_TRUE(EBInRange(1.0f, 1.0f, 2.0f));
    EXPECT_FALSE(EBInRange(2.5f, 1.0f, 2.0f));
    EXPECT_FLOAT_EQ(EBDegToRad(180.0f), 3.1415925f);
    EXPECT_FLOAT_EQ(EBRadToDeg(1.0f), 57.295784f);
}

TEST(MathVector4, DotIgnoresWWhileLengthIncludesIt) {
    const Vector4 a(1.0f, 2.0f, 2.0f, 4.0f);
    EXPECT_FLOAT_EQ(a.Dot(a), 9.0f);
    EXPECT_FLOAT_EQ(a.LengthSq(), 25.0f);
    EXPECT_FLOAT_EQ(a.Length(), 5.0f);
    Vector4 n = a;
    n.Normalize();
    EXPECT_FLOAT_EQ(n.w, 0.8f);
    Vector4 tiny(0.000001f, 0.0f, 0.0f, 0.0f);
    tiny.Normalize();
    EXPECT_EQ(tiny.x, 0.000001f);  // too short to normalise: left alone
    const Vector4 c = Vector4(1, 0, 0, 7).Cross(Vector4(0, 1, 0, 7));
    EXPECT_EQ(c, Vector4(0, 0, 1, 0));
    EXPECT_TRUE(Vector4(1, 1, 1, 1) == Vector4(1.000005f, 1, 1, 1));
    EXPECT_TRUE(Vector4(1, 1, 1, 1) != Vector4(1.00002f, 1, 1, 1));
}

TEST(MathPoint4, PointsAndVectorsCombineByKind) {
    EXPECT_EQ(Point4(), Point4(0, 0, 0, 1));
    Point4 p(1, 2, 3, 1);
    const Vector4 d = p - Point4(1, 1, 1, 1);
    EXPECT_EQ(d, Vector4(0, 1, 2, 0));
    p += Vector4(1, 0, 0, 0);
    EXPECT_EQ(p, Point4(2, 2, 3, 1));
    testing::internal::CaptureStdout();
    p.Print();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "2.000, 2.000, 3.000, 1.000\n");
}

TEST(MathMatrix4, ProductsByRowsAndLookAt) {
    Matrix4 identity;
    EXPECT_EQ(identity, Matrix4().Zero());
    identity.Identity();
    const Matrix4 m(1, 2, 0, 5, 0, 1, 0, 6, 0, 0, 1, 7, 0, 0, 0, 1);
    EXPECT_EQ(m * identity, m);
    EXPECT_EQ(identity * m, m);
    // Matrix times column vector: the last column translates points, not vectors.
    EXPECT_EQ(m * Point4(1, 1, 1, 1), Point4(8, 7, 8, 1));
    EXPECT_EQ(m * Vector4(1, 1, 1, 0), Vector4(3, 1, 1, 0));
    const Matrix4 square = m * m;
    EXPECT_FLOAT_EQ(square.At(0, 1), 4.0f);
    EXPECT_FLOAT_EQ(square.At(0, 3), 22.0f);
    Matrix4 inPlace = m;
    inPlace *= m;
    EXPECT_EQ(inPlace, square);
    EXPECT_FLOAT_EQ(m.Transposed().At(3, 0), 5.0f);

    Matrix4 view;
    view.LookAtRH(Point4(100, -20, 60, 1), Point4(100, -20, 0, 1), Vector4(0, 1, 0, 0));
    const Matrix4 expected(1, 0, 0, -100, 0, 1, 0, 20, 0, 0, 1, -60, 0, 0, 0, 1);
    EXPECT_EQ(view, expected);
}

TEST(MathMatrix4, PrintsRowsBetweenSeparators) {
    Matrix4 m;
    m.Identity();
    testing::internal::CaptureStdout();
    m.Print();
    const std::string line = "--------------------------\n";
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              line + "1.000 0.000 0.000 0.000\n0.000 1.000 0.000 0.000\n" +
                  "0.000 0.000 1.000 0.000\n0.000 0.000 0.000 1.000\n" + line);
}

TEST(MathVec2, FunctionsWriteThroughTheirFirstArgument) {
    EBVec2 out{9, 9};
    EBVec2Project(out, EBVec2{3, 4}, EBVec2{2, 0});
    EXPECT_FLOAT_EQ(out.x, 3.0f);
    EXPECT_FLOAT_EQ(out.y, 0.0f);
    EBVec2ProjectPerp(out, EBVec2{3, 4}, EBVec2{2, 0});
    EXPECT_FLOAT_EQ(out.y, 4.0f);
    EBVec2ScaleSub(out, EBVec2{1, 2}, EBVec2{1, 1}, 3.0f);
    EXPECT_FLOAT_EQ(out.x, 2.0f);
    EXPECT_FLOAT_EQ(out.y, 5.0f);
    EBVec2Lerp(out, EBVec2{0, 0}, EBVec2{10, -10}, 0.25f);
    EXPECT_FLOAT_EQ(out.y, -2.5f);
    EBVec2Normalize(out, EBVec2{0, 0});
    EXPECT_EQ(out.x, 0.0f);  // no NaN from a zero vector
    EXPECT_FLOAT_EQ(EBVec2CrossProductMag(EBVec2{1, 0}, EBVec2{0, 1}), 1.0f);
    EXPECT_EQ(EBVec2Test(2, 3), 5);
}

TEST(MathDistances, RectanglesAndSegments) {
    EBVec2 normal{7, 7};
    // Apart, and exactly touching, both give 0 and leave the normal alone.
    EXPECT_FLOAT_EQ(EBCalcDistRectToRect(EBVec2{0, 0}, 2, 2, EBVec2{10, 0}, 2, 2, &normal), 0.0f);
    EXPECT_FLOAT_EQ(EBCalcDistRectToRect(EBVec2{0, 0}, 2, 2, EBVec2{2, 0}, 2, 2, &normal), 0.0f);
    EXPECT_FLOAT_EQ(normal.x, 7.0f);
    // Overlapping: the shallower axis, normal from the second toward the first.
    EXPECT_FLOAT_EQ(EBCalcDistRectToRect(EBVec2{0, 0}, 4, 4, EBVec2{3, 0.5f}, 4, 4, &normal),
                    -1.0f);
    EXPECT_FLOAT_EQ(normal.x, -1.0f);
    EXPECT_FLOAT_EQ(normal.y, 0.0f);
    EXPECT_FLOAT_EQ(EBCalcDistRectToRect(EBVec2{0, 3}, 4, 4, EBVec2{0.5f, 0}, 4, 4, nullptr),
                    -1.0f);

    EXPECT_FLOAT_EQ(EBCalcDistPointToRect(EBVec2{0, 1}, EBVec2{0, 0}, 10, 4), -1.0f);
    EXPECT_FLOAT_EQ(EBCalcDistPointToRect(EBVec2{8, 6}, EBVec2{0, 0}, 10, 4), 5.0f);
    EXPECT_FLOAT_EQ(EBCalcDistPointToLineSeg(EBVec2{3, 4}, EBVec2{0, 0}, EBVec2{0, 0}), 5.0f);
    EXPECT_FLOAT_EQ(EBCalcDistPointToLineSeg(EBVec2{5, 2}, EBVec2{0, 0}, EBVec2{4, 0}), 2.236068f);
    EXPECT_FLOAT_EQ(EBCalcDistCircleToCircle(EBVec2{0, 0}, 1, EBVec2{5, 0}, 2), 2.0f);
    EXPECT_FLOAT_EQ(EBCalcDistPointToConvexPoly(EBVec2{0, 0}, nullptr, 0), -1.0f);

    EXPECT_TRUE(EBTestRectToRect(EBVec2{0, 0}, 2, 2, EBVec2{2, 0}, 2, 2));
    EXPECT_TRUE(EBTestCircleToRect(EBVec2{0, 0}, 0.1f, EBVec2{0, 0}, 2, 2));
    EXPECT_FALSE(EBTestCircleToRect(EBVec2{3, 3}, 1.4f, EBVec2{0, 0}, 2, 2));
    EXPECT_TRUE(EBTestCircleToRect(EBVec2{3, 3}, 2.9f, EBVec2{0, 0}, 2, 2));
}

TEST(MathSweptTests, PointAgainstSegment) {
    const EBLineSegment floor = Segment(-10, 0, 10, 0);  // normal points down: (0, -1)
    EXPECT_FLOAT_EQ(floor.normal.y, -1.0f);
    EXPECT_FLOAT_EQ(EBStaticPointToStaticLineSegment(EBVec2{0, 5}, floor), -5.0f);

    EBVec2 hit{};
    EXPECT_FLOAT_EQ(EBAnimatedPointToStaticLineSegment(EBVec2{2, 4}, EBVec2{2, -4}, floor, hit),
                    0.5f);
    EXPECT_FLOAT_EQ(hit.x, 2.0f);
    EXPECT_FLOAT_EQ(hit.y, 0.0f);
    // Parallel to the segment, on one side, or past its end: no hit.
    EXPECT_EQ(EBAnimatedPointToStaticLineSegment(EBVec2{-5, 0}, EBVec2{5, 0}, floor, hit), -1.0f);
    EXPECT_EQ(EBAnimatedPointToStaticLineSegment(EBVec2{0, 4}, EBVec2{0, 1}, floor, hit), -1.0f);
    EXPECT_EQ(EBAnimatedPointToStaticLineSegment(EBVec2{12, 4}, EBVec2{12, -4}, floor, hit), -1.0f);

    EBVec2 reflected{};
    EXPECT_FLOAT_EQ(EBReflectAnimatedPointOnStaticLineSegment(EBVec2{0, 4}, EBVec2{4, -4}, floor,
                                                              hit, reflected),
                    0.5f);
    EXPECT_FLOAT_EQ(reflected.x, 2.0f);
    EXPECT_FLOAT_EQ(reflected.y, 4.0f);
}

TEST(MathSweptTests, CircleAgainstSegmentAndCircle) {
    const EBLineSegment floor = Segment(-10, 0, 10, 0);
    EBVec2 hit{};
    // A circle of radius 1 falling from y = 5 to y = -3 touches the floor at y = 1.
    EXPECT_FLOAT_EQ(
        EBAnimatedCircleToStaticLineSegment(EBVec2{0, 5}, EBVec2{0, -3}, 1.0f, floor, hit), 0.5f);
    EXPECT_FLOAT_EQ(hit.y, 1.0f);
    EXPECT_EQ(EBAnimatedCircleToStaticLineSegment(EBVec2{0, 5}, EBVec2{0, 2}, 1.0f, floor, hit),
              -1.0f);

    // A point moving along x toward a circle of radius 2 at (10, 0) hits at x = 8.
    EXPECT_FLOAT_EQ(
        EBAnimatedPointToStaticCircle(EBVec2{0, 0}, EBVec2{16, 0}, EBVec2{10, 0}, 2.0f, hit), 0.5f);
    EXPECT_FLOAT_EQ(hit.x, 8.0f);
    EXPECT_EQ(EBAnimatedPointToStaticCircle(EBVec2{0, 5}, EBVec2{16, 5}, EBVec2{10, 0}, 2.0f, hit),
              -1.0f);
    EXPECT_EQ(EBAnimatedPointToStaticCircle(EBVec2{0, 0}, EBVec2{4, 0}, EBVec2{10, 0}, 2.0f, hit),
              -1.0f);  // stops short
    EXPECT_FLOAT_EQ(
        EBAnimatedCircleToStaticCircle(EBVec2{0, 0}, EBVec2{16, 0}, 1.0f, EBVec2{10, 0}, 1.0f, hit),
        0.5f);

    EBVec2 reflected{};
    EXPECT_FLOAT_EQ(EBReflectAnimatedPointOnStaticCircle(EBVec2{0, 0}, EBVec2{16, 0}, EBVec2{10, 0},
                                                         2.0f, hit, reflected),
                    0.5f);
    EXPECT_FLOAT_EQ(reflected.x, -8.0f);  // straight back out
}
