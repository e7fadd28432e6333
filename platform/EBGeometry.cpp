#include <cmath>

#include "platform/EBMath.h"

namespace {
constexpr float kNoHit = -1.0f;

EBVec2 Sub(const EBVec2& a, const EBVec2& b) {
    return EBVec2{a.x - b.x, a.y - b.y};
}
EBVec2 Add(const EBVec2& a, const EBVec2& b) {
    return EBVec2{a.x + b.x, a.y + b.y};
}
EBVec2 Scale(const EBVec2& a, float s) {
    return EBVec2{a.x * s, a.y * s};
}
float Dot(const EBVec2& a, const EBVec2& b) {
    return a.x * b.x + a.y * b.y;
}
float Length(const EBVec2& a) {
    return std::sqrt(Dot(a, a));
}

// Distance from the centre to the rectangle's nearest point, 0 inside.
float OutsideDistance(float dx, float dy, float width, float height) {
    const float ex = std::fmax(std::fabs(dx) - width * 0.5f, 0.0f);
    const float ey = std::fmax(std::fabs(dy) - height * 0.5f, 0.0f);
    return std::sqrt(ex * ex + ey * ey);
}

bool WithinSegmentEnds(const EBVec2& p, const EBLineSegment& s) {
    const EBVec2 along = Sub(s.end, s.start);
    return Dot(Sub(p, s.start), along) >= 0.0f && Dot(Sub(p, s.end), Scale(along, -1.0f)) >= 0.0f;
}

// Crossing of the step Ps -> Pe with the line N·P = lineValue, kept only within the ends.
float CrossLine(const EBVec2& ps, const EBVec2& pe, const EBLineSegment& s, float lineValue,
                EBVec2& pi) {
    const EBVec2 step = Sub(pe, ps);
    const float normalStep = Dot(s.normal, step);
    if (std::fabs(normalStep) < EB_EPSILON) {
        return kNoHit;
    }
    const float t = (lineValue - Dot(s.normal, ps)) / normalStep;
    pi = Add(ps, Scale(step, t));
    return WithinSegmentEnds(pi, s) ? t : kNoHit;
}

EBVec2 ReflectOnNormal(const EBVec2& v, const EBVec2& normal) {
    return Sub(v, Scale(normal, 2.0f * Dot(normal, v)));
}
}  // namespace

void EBBuildLineSegment(EBLineSegment& out, const EBVec2& start, const EBVec2& end) {
    out.start = start;
    out.end = end;
    EBVec2Normalize(out.normal, EBVec2{end.y - start.y, start.x - end.x});
    out.normalDotStart = Dot(out.normal, start);
}

float EBCalcDistPointToCircle(const EBVec2& p, const EBVec2& centre, float radius) {
    return Length(Sub(p, centre)) - radius;
}

float EBCalcDistPointToRect(const EBVec2& p, const EBVec2& centre, float width, float height) {
    const float dx = p.x - centre.x;
    const float dy = p.y - centre.y;
    const float insideX = width * 0.5f - std::fabs(dx);
    const float insideY = height * 0.5f - std::fabs(dy);
    if (insideX >= 0.0f && insideY >= 0.0f) {
        return -std::fmin(insideX, insideY);
    }
    return OutsideDistance(dx, dy, width, height);
}

float EBCalcDistPointToLineSeg(const EBVec2& p, const EBVec2& a, const EBVec2& b) {
    const EBVec2 ab = Sub(b, a);
    const float length = Length(ab);
    if (length < EB_EPSILON) {
        return Length(Sub(p, a));
    }
    const float t = EBClamp(Dot(Sub(p, a), ab) / (length * length), 0.0f, 1.0f);
    return Length(Sub(p, Add(a, Scale(ab, t))));
}

float EBCalcDistPointToConvexPoly(const EBVec2&, const EBVec2*, unsigned) {
    return -1.0f;
}

float EBCalcDistCircleToCircle(const EBVec2& centre0, float radius0, const EBVec2& centre1,
                               float radius1) {
    return Length(Sub(centre0, centre1)) - radius0 - radius1;
}

float EBCalcDistCircleToRect(const EBVec2& centre, float radius, const EBVec2& rectCentre,
                             float width, float height) {
    return EBCalcDistPointToRect(centre, rectCentre, width, height) - radius;
}

float EBCalcDistRectToRect(const EBVec2& centre0, float width0, float height0,
                           const EBVec2& centre1, float width1, float height1, EBVec2* normal) {
    const float dx = centre0.x - centre1.x;
    const float dy = centre0.y - centre1.y;
    const float ox = std::fabs(dx) - (width0 + width1) * 0.5f;
    const float oy = std::fabs(dy) - (height0 + height1) * 0.5f;
    if (ox >= 0.0f || oy >= 0.0f) {
        return 0.0f;
    }
    const bool alongX = ox >= oy;
    if (normal != nullptr) {
        const float sign = (alongX ? dx : dy) < 0.0f ? -1.0f : 1.0f;
        *normal = alongX ? EBVec2{sign, 0.0f} : EBVec2{0.0f, sign};
    }
    return alongX ? ox : oy;
}

bool EBTestPointToCircle(const EBVec2& p, const EBVec2& centre, float radius) {
    return Length(Sub(p, centre)) <= radius;
}

bool EBTestPointToRect(const EBVec2& p, const EBVec2& centre, float width, float height) {
    return std::fabs(p.x - centre.x) <= width * 0.5f && std::fabs(p.y - centre.y) <= height * 0.5f;
}

bool EBTestCircleToCircle(const EBVec2& centre0, float radius0, const EBVec2& centre1,
                          float radius1) {
    return Length(Sub(centre0, centre1)) <= radius0 + radius1;
}

bool EBTestCircleToRect(const EBVec2& centre, float radius, const EBVec2& rectCentre, float width,
                        float height) {
    if (EBTestPointToRect(centre, rectCentre, width, height)) {
        return true;
    }
    return radius >
           OutsideDistance(centre.x - rectCentre.x, centre.y - rectCentre.y, width, height);
}

bool EBTestRectToRect(const EBVec2& centre0, float width0, float height0, const EBVec2& centre1,
                      float width1, float height1) {
    return std::fabs(centre0.x - centre1.x) <= (width0 + width1) * 0.5f &&
           std::fabs(centre0.y - centre1.y) <= (height0 + height1) * 0.5f;
}

float EBStaticPointToStaticLineSegment(const EBVec2& p, const EBLineSegment& segment) {
    return Dot(segment.normal, p) - segment.normalDotStart;
}

float EBAnimatedPointToStaticLineSegment(const EBVec2& ps, const EBVec2& pe,
                                         const EBLineSegment& segment, EBVec2& pi) {
    const float startSide = EBStaticPointToStaticLineSegment(ps, segment);
    const float endSide = EBStaticPointToStaticLineSegment(pe, segment);
    if ((startSide < 0.0f && endSide < 0.0f) || (startSide > 0.0f && endSide > 0.0f)) {
        return kNoHit;
    }
    return CrossLine(ps, pe, segment, segment.normalDotStart, pi);
}

float EBAnimatedCircleToStaticLineSegment(const EBVec2& ps, const EBVec2& pe, float radius,
                                          const EBLineSegment& segment, EBVec2& pi) {
    const float startSide = EBStaticPointToStaticLineSegment(ps, segment);
    const float endSide = EBStaticPointToStaticLineSegment(pe, segment);
    if ((startSide < -radius && endSide < -radius) || (startSide > radius && endSide > radius)) {
        return kNoHit;
    }
    // The centre touches when it reaches the line moved by the radius toward its start side.
    const float offset = startSide < 0.0f ? -radius : radius;
    return CrossLine(ps, pe, segment, segment.normalDotStart + offset, pi);
}

float EBReflectAnimatedPointOnStaticLineSegment(const EBVec2& ps, const EBVec2& pe,
                                                const EBLineSegment& segment, EBVec2& pi,
                                                EBVec2& reflected) {
    const float t = EBAnimatedPointToStaticLineSegment(ps, pe, segment, pi);
    if (t > 0.0f) {
        reflected = ReflectOnNormal(Sub(pe, pi), segment.normal);
    }
    return t;
}

float EBReflectAnimatedCircleOnStaticLineSegment(const EBVec2& ps, const EBVec2& pe, float radius,
                                                 const EBLineSegment& segment, EBVec2& pi,
                                                 EBVec2& reflected) {
    const float t = EBAnimatedCircleToStaticLineSegment(ps, pe, radius, segment, pi);
    if (t > 0.0f) {
        reflected = ReflectOnNormal(Sub(pe, pi), segment.normal);
    }
    return t;
}

float EBAnimatedPointToStaticCircle(const EBVec2& ps, const EBVec2& pe, const EBVec2& centre,
                                    float radius, EBVec2& pi) {
    const EBVec2 step = Sub(pe, ps);
    const float d = Length(step);
    if (d < EB_EPSILON) {
        // A point that does not move sweeps nothing.
        return kNoHit;
    }
    const EBVec2 u = Scale(step, 1.0f / d);
    const EBVec2 toCentre = Sub(centre, ps);
    const float m = Dot(u, toCentre);
    const float centreDistSq = Dot(toCentre, toCentre);
    const float q = centreDistSq - m * m;
    if ((m < 0.0f && std::sqrt(centreDistSq) < radius) || q > radius * radius) {
        return kNoHit;
    }
    const float t = (m - std::sqrt(radius * radius - q)) / d;
    pi = Add(ps, Scale(step, t));
    if (Dot(Sub(ps, pe), Sub(pi, pe)) < 0.0f) {
        return kNoHit;
    }
    return t;
}

float EBReflectAnimatedPointOnStaticCircle(const EBVec2& ps, const EBVec2& pe, const EBVec2& centre,
                                           float radius, EBVec2& pi, EBVec2& reflected) {
    const float t = EBAnimatedPointToStaticCircle(ps, pe, centre, radius, pi);
    if (t > 0.0f) {
        EBVec2 n;
        EBVec2Normalize(n, Sub(pi, centre));
        const EBVec2 v = Sub(ps, pi);
        reflected = Sub(Scale(n, 2.0f * Dot(n, v)), v);
    }
    return t;
}

float EBAnimatedCircleToStaticCircle(const EBVec2& ps, const EBVec2& pe, float radius0,
                                     const EBVec2& centre, float radius1, EBVec2& pi) {
    return EBAnimatedPointToStaticCircle(ps, pe, centre, radius0 + radius1, pi);
}

float EBReflectAnimatedCircleOnStaticCircle(const EBVec2& ps, const EBVec2& pe, float radius0,
                                            const EBVec2& centre, float radius1, EBVec2& pi,
                                            EBVec2& reflected) {
    return EBReflectAnimatedPointOnStaticCircle(ps, pe, centre, radius0 + radius1, pi, reflected);
}
