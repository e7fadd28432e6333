#pragma once
// Degrees are the engine's unit for rotations; these are the conversions every part uses.

namespace VelaEngine {

constexpr float kDegToRad = 0.017453292f;
constexpr float kRadToDeg = 57.295776f;

// Computed in double precision so that float callers lose as little as possible.
float Sin(float radians);
float Cos(float radians);

}  // namespace VelaEngine
