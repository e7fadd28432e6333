#pragma once
// Keeps data derived from where entities are (the contact broad phase) current by being told
// of each change as it happens, instead of rescanning or logging every transform.
#include <cstdint>

namespace VelaEngine {

class Transform;

class TransformWatcher {
public:
    // The transform's position, rotation, scale or parent changed, or its entity's shape.
    virtual void Moved(Transform& transform) = 0;
    // The transform dies; it forgets its watcher right after.
    virtual void Gone(Transform& transform) = 0;

protected:
    TransformWatcher() = default;
    TransformWatcher(const TransformWatcher&) = default;
    TransformWatcher& operator=(const TransformWatcher&) = default;
    // Never deleted through a transform, which does not own it.
    ~TransformWatcher() = default;
};

}  // namespace VelaEngine
