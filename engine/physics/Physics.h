#pragma once
#include "engine/core/Singleton.h"
#include "engine/scene/Vector2.h"

namespace VelaEngine {

// The physics world: gravity, read by every dynamic body.
class Physics : public Singleton<Physics> {
public:
    static constexpr const char* kServiceName = "Physics";
    void Init(const Vector2& gravity) { SetGravity(gravity); }
    Vector2& GetGravity() { return gravity_; }
    void SetGravity(const Vector2& gravity) {
        gravity_.x = gravity.x;
        gravity_.y = gravity.y;
    }

private:
    Vector2 gravity_;
};

}  // namespace VelaEngine

VELA_SERVICE_HOLDER_DECLARATION(VelaEngine::Physics)
