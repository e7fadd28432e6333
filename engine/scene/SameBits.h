#pragma once
// Equality to the bit: writing back what is there changes nothing, while -0 and 0 (or two
// NaNs with different payloads) may.
#include <bit>
#include <cstdint>

namespace VelaEngine {

inline bool SameBits(float a, float b) {
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

// Any two-float value: Vector2, Point2, or a plain pair.
template <class A, class B>
inline bool SameBits2(const A& a, const B& b) {
    return SameBits(a.x, b.x) && SameBits(a.y, b.y);
}

}  // namespace VelaEngine
