#pragma once
// Equality to the bit: writing back what is there changes nothing, while -0 and 0 (or two
// NaNs with different payloads) may.
#include <cstring>

namespace VelaEngine {

inline bool SameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Any two-float value: Vector2, Point2, or a plain pair.
template <class A, class B>
bool SameBits2(const A& a, const B& b) {
    return SameBits(a.x, b.x) && SameBits(a.y, b.y);
}

}  // namespace VelaEngine
