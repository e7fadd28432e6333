#include <cmath>

#include "platform/EBMath.h"

void EBVec2Zero(EBVec2& out) {
    out = EBVec2{0.0f, 0.0f};
}
void EBVec2Set(EBVec2& out, float x, float y) {
    out = EBVec2{x, y};
}
void EBVec2Neg(EBVec2& out, const EBVec2& a) {
    out = EBVec2{-a.x, -a.y};
}
void EBVec2Add(EBVec2& out, const EBVec2& a, const EBVec2& b) {
    out = EBVec2{a.x + b.x, a.y + b.y};
}
void EBVec2Sub(EBVec2& out, const EBVec2& a, const EBVec2& b) {
    out = EBVec2{a.x - b.x, a.y - b.y};
}

void EBVec2Normalize(EBVec2& out, const EBVec2& a) {
    const float length = EBVec2Length(a);
    if (length == 0.0f) {
        // A zero vector has no direction; keep it rather than spread NaNs.
        out = EBVec2{0.0f, 0.0f};
        return;
    }
    out = EBVec2{a.x / length, a.y / length};
}

void EBVec2Scale(EBVec2& out, const EBVec2& a, float s) {
    out = EBVec2{a.x * s, a.y * s};
}
void EBVec2ScaleAdd(EBVec2& out, const EBVec2& a, const EBVec2& b, float s) {
    out = EBVec2{a.x * s + b.x, a.y * s + b.y};
}
void EBVec2ScaleSub(EBVec2& out, const EBVec2& a, const EBVec2& b, float s) {
    out = EBVec2{a.x * s - b.x, a.y * s - b.y};
}

void EBVec2Project(EBVec2& out, const EBVec2& a, const EBVec2& b) {
    const float lengthSq = EBVec2SquareLength(b);
    if (lengthSq == 0.0f) {
        out = EBVec2{0.0f, 0.0f};
        return;
    }
    EBVec2Scale(out, b, EBVec2DotProduct(a, b) / lengthSq);
}

void EBVec2ProjectPerp(EBVec2& out, const EBVec2& a, const EBVec2& b) {
    EBVec2 projection;
    EBVec2Project(projection, a, b);
    EBVec2Sub(out, a, projection);
}

void EBVec2Lerp(EBVec2& out, const EBVec2& a, const EBVec2& b, float t) {
    out = EBVec2{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

float EBVec2Length(const EBVec2& a) {
    return std::sqrt(EBVec2SquareLength(a));
}
float EBVec2SquareLength(const EBVec2& a) {
    return a.x * a.x + a.y * a.y;
}

float EBVec2Distance(const EBVec2& a, const EBVec2& b) {
    return std::sqrt(EBVec2SquareDistance(a, b));
}

float EBVec2SquareDistance(const EBVec2& a, const EBVec2& b) {
    const float dx = a.x - b.x;
    const float dy = a.y - b.y;
    return dx * dx + dy * dy;
}

float EBVec2DotProduct(const EBVec2& a, const EBVec2& b) {
    return a.x * b.x + a.y * b.y;
}
float EBVec2CrossProductMag(const EBVec2& a, const EBVec2& b) {
    return a.x * b.y - a.y * b.x;
}

void EBVec2FromAngle(EBVec2& out, float angle) {
    out = EBVec2{std::cos(angle), std::sin(angle)};
}

int EBVec2Test(int a, int b) {
    return a + b;
}
