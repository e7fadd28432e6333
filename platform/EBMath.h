#pragma once
// Math kit of the platform library: 4-component vectors, points and matrices, 2D vector
// helpers, scalar helpers, and 2D distance, overlap and swept-intersection tests.

// Components closer than this compare equal.
constexpr float EB_EPSILON = 0.00001f;

class Vector4 {
public:
    float x, y, z, w;

    Vector4() : x(0.0f), y(0.0f), z(0.0f), w(0.0f) {}
    Vector4(const Vector4& other) = default;
    Vector4(float xx, float yy, float zz, float ww) : x(xx), y(yy), z(zz), w(ww) {}
    Vector4& operator=(const Vector4& other) = default;

    Vector4 operator-() const;
    Vector4 operator+(const Vector4& other) const;
    Vector4 operator-(const Vector4& other) const;
    Vector4 operator*(float s) const;
    Vector4 operator/(float s) const;
    Vector4& operator+=(const Vector4& other);
    Vector4& operator-=(const Vector4& other);
    Vector4& operator*=(float s);
    Vector4& operator/=(float s);
    bool operator==(const Vector4& other) const;
    bool operator!=(const Vector4& other) const;

    // x, y and z only.
    float Dot(const Vector4& other) const;
    // 3D cross product of x, y, z; w of the result is 0.
    Vector4 Cross(const Vector4& other) const;
    // Length and normalisation use all four components.
    float Length() const;
    float LengthSq() const;
    // Leaves a vector of (almost) zero length as it is.
    Vector4& Normalize();
    Vector4& Zero();
};

class Point4 {
public:
    float x, y, z, w;

    Point4() : x(0.0f), y(0.0f), z(0.0f), w(1.0f) {}
    Point4(const Point4& other) = default;
    Point4(float xx, float yy, float zz, float ww) : x(xx), y(yy), z(zz), w(ww) {}
    Point4& operator=(const Point4& other) = default;

    Point4 operator-() const;
    Point4 operator+(const Vector4& v) const;
    Point4 operator-(const Vector4& v) const;
    Vector4 operator-(const Point4& other) const;
    Point4& operator+=(const Vector4& v);
    Point4& operator-=(const Vector4& v);
    bool operator==(const Point4& other) const;
    bool operator!=(const Point4& other) const;

    // (0, 0, 0, 1).
    Point4& Zero();
    void Print() const;
};

// 16 floats by rows: element [row][column] at row * 4 + column.
class Matrix4 {
public:
    float m[16];

    Matrix4();
    Matrix4(const Matrix4& other) = default;
    Matrix4(float m00, float m01, float m02, float m03, float m10, float m11, float m12, float m13,
            float m20, float m21, float m22, float m23, float m30, float m31, float m32, float m33);
    Matrix4& operator=(const Matrix4& other) = default;

    float& At(int row, int column) { return m[row * 4 + column]; }
    float At(int row, int column) const { return m[row * 4 + column]; }

    // Matrix times column vector.
    Point4 operator*(const Point4& p) const;
    Vector4 operator*(const Vector4& v) const;
    Matrix4 operator+(const Matrix4& other) const;
    Matrix4 operator-(const Matrix4& other) const;
    Matrix4 operator*(const Matrix4& other) const;
    Matrix4& operator+=(const Matrix4& other);
    Matrix4& operator-=(const Matrix4& other);
    Matrix4& operator*=(const Matrix4& other);
    Matrix4 operator*(float s) const;
    Matrix4 operator/(float s) const;
    Matrix4& operator*=(float s);
    Matrix4& operator/=(float s);
    bool operator==(const Matrix4& other) const;
    bool operator!=(const Matrix4& other) const;

    Matrix4& Zero();
    Matrix4& Identity();
    // Right-handed view matrix looking from eye to target.
    Matrix4& LookAtRH(const Point4& eye, const Point4& target, const Vector4& up);
    Matrix4 Transposed() const;
    void Print() const;
};

struct EBVec2 {
    float x, y;
};

// A point P lies inside (behind the normal) when N·P < normalDotStart.
struct EBLineSegment {
    EBVec2 start;
    EBVec2 end;
    EBVec2 normal;
    float normalDotStart;
};

// Builds a segment whose unit normal is the direction (start -> end) turned clockwise.
void EBBuildLineSegment(EBLineSegment& out, const EBVec2& start, const EBVec2& end);

// Scalars.
float EBDegToRad(float degrees);
float EBRadToDeg(float radians);
float EBSin(float x);
float EBCos(float x);
float EBTan(float x);
float EBASin(float x);
float EBACos(float x);
float EBATan(float x);
bool EBIsPowOf2(unsigned x);
unsigned EBNextPowOf2(unsigned x);
unsigned EBLogBase2(unsigned x);
float EBClamp(float x, float lo, float hi);
float EBWrap(float x, float lo, float hi);
float EBMin(float a, float b);
float EBMax(float a, float b);
bool EBInRange(float x, float lo, float hi);

// 2D vectors; each writes its result through the first argument.
void EBVec2Zero(EBVec2& out);
void EBVec2Set(EBVec2& out, float x, float y);
void EBVec2Neg(EBVec2& out, const EBVec2& a);
void EBVec2Add(EBVec2& out, const EBVec2& a, const EBVec2& b);
void EBVec2Sub(EBVec2& out, const EBVec2& a, const EBVec2& b);
// A zero vector stays zero.
void EBVec2Normalize(EBVec2& out, const EBVec2& a);
void EBVec2Scale(EBVec2& out, const EBVec2& a, float s);
void EBVec2ScaleAdd(EBVec2& out, const EBVec2& a, const EBVec2& b, float s);
void EBVec2ScaleSub(EBVec2& out, const EBVec2& a, const EBVec2& b, float s);
void EBVec2Project(EBVec2& out, const EBVec2& a, const EBVec2& b);
void EBVec2ProjectPerp(EBVec2& out, const EBVec2& a, const EBVec2& b);
void EBVec2Lerp(EBVec2& out, const EBVec2& a, const EBVec2& b, float t);
float EBVec2Length(const EBVec2& a);
float EBVec2SquareLength(const EBVec2& a);
float EBVec2Distance(const EBVec2& a, const EBVec2& b);
float EBVec2SquareDistance(const EBVec2& a, const EBVec2& b);
float EBVec2DotProduct(const EBVec2& a, const EBVec2& b);
float EBVec2CrossProductMag(const EBVec2& a, const EBVec2& b);
void EBVec2FromAngle(EBVec2& out, float angle);
int EBVec2Test(int a, int b);

// Distances (negative inside) and overlap tests. Rectangles: centre, width, height.
float EBCalcDistPointToCircle(const EBVec2& p, const EBVec2& centre, float radius);
float EBCalcDistPointToRect(const EBVec2& p, const EBVec2& centre, float width, float height);
float EBCalcDistPointToLineSeg(const EBVec2& p, const EBVec2& a, const EBVec2& b);
float EBCalcDistPointToConvexPoly(const EBVec2& p, const EBVec2* vertices, unsigned count);
float EBCalcDistCircleToCircle(const EBVec2& centre0, float radius0, const EBVec2& centre1,
                               float radius1);
float EBCalcDistCircleToRect(const EBVec2& centre, float radius, const EBVec2& rectCentre,
                             float width, float height);
// 0 when the rectangles are apart (touching counts as apart); otherwise the shallower
// (negative) penetration, with the normal pointing from the second toward the first.
float EBCalcDistRectToRect(const EBVec2& centre0, float width0, float height0,
                           const EBVec2& centre1, float width1, float height1, EBVec2* normal);
bool EBTestPointToCircle(const EBVec2& p, const EBVec2& centre, float radius);
bool EBTestPointToRect(const EBVec2& p, const EBVec2& centre, float width, float height);
bool EBTestCircleToCircle(const EBVec2& centre0, float radius0, const EBVec2& centre1,
                          float radius1);
bool EBTestCircleToRect(const EBVec2& centre, float radius, const EBVec2& rectCentre, float width,
                        float height);
bool EBTestRectToRect(const EBVec2& centre0, float width0, float height0, const EBVec2& centre1,
                      float width1, float height1);

// Swept tests: the fraction of the step at the hit, or -1 for no hit. A circle that already
// overlaps the line or circle at the start can report a negative fraction (contact behind
// it); the reflecting forms only reflect for a fraction above 0.
float EBStaticPointToStaticLineSegment(const EBVec2& p, const EBLineSegment& segment);
float EBAnimatedPointToStaticLineSegment(const EBVec2& ps, const EBVec2& pe,
                                         const EBLineSegment& segment, EBVec2& pi);
float EBAnimatedCircleToStaticLineSegment(const EBVec2& ps, const EBVec2& pe, float radius,
                                          const EBLineSegment& segment, EBVec2& pi);
float EBReflectAnimatedPointOnStaticLineSegment(const EBVec2& ps, const EBVec2& pe,
                                                const EBLineSegment& segment, EBVec2& pi,
                                                EBVec2& reflected);
float EBReflectAnimatedCircleOnStaticLineSegment(const EBVec2& ps, const EBVec2& pe, float radius,
                                                 const EBLineSegment& segment, EBVec2& pi,
                                                 EBVec2& reflected);
float EBAnimatedPointToStaticCircle(const EBVec2& ps, const EBVec2& pe, const EBVec2& centre,
                                    float radius, EBVec2& pi);
float EBReflectAnimatedPointOnStaticCircle(const EBVec2& ps, const EBVec2& pe, const EBVec2& centre,
                                           float radius, EBVec2& pi, EBVec2& reflected);
float EBAnimatedCircleToStaticCircle(const EBVec2& ps, const EBVec2& pe, float radius0,
                                     const EBVec2& centre, float radius1, EBVec2& pi);
float EBReflectAnimatedCircleOnStaticCircle(const EBVec2& ps, const EBVec2& pe, float radius0,
                                            const EBVec2& centre, float radius1, EBVec2& pi,
                                            EBVec2& reflected);
