#pragma once
// The transforms whose placement (or whose entity's shape) changed since the reader last took
// them, so that data derived from placements, such as the contact broad phase, stays current
// without rescanning every entity. Nothing is recorded until a reader starts the log.
#include <cstdint>
#include <vector>

namespace VelaEngine {

class Transform;

namespace TransformChangeLog {

inline bool recording = false;
// Transforms constructed so far. Every entity makes one, so while this stays put no entity
// has been made, and an address seen before still names the same entity.
inline std::uint64_t made = 0;

// From now on every change is recorded, for the rest of the process.
void Start();
// Lists the transform once until the next Take; a no-op before Start.
void Note(Transform& transform);
// A dying transform leaves the list.
void Forget(Transform& transform);
// Moves the transforms changed since the last call into `out` (cleared first).
void Take(std::vector<Transform*>& out);

}  // namespace TransformChangeLog

}  // namespace VelaEngine
