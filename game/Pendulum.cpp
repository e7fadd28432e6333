#include "game/Pendulum.h"

#include <cmath>
#include <string>

#include "engine/core/Time.h"
#include "engine/core/VEDebug.h"
#include "engine/entity/Transform.h"
#include "engine/scene/FieldMap.h"

namespace Game {

using namespace VelaEngine;

namespace {
void ReadRequired(const FieldMap& fields, const char* name, float& out) {
    if (!fields.TryGet(name, out)) {
        Fail(std::string("Pendulum ") + name + " not found");
    }
}
}  // namespace

void Pendulum::Deserialize(const FieldMap& fields) {
    ReadRequired(fields, "rotMin", rotMin);
    ReadRequired(fields, "rotMax", rotMax);
    ReadRequired(fields, "rotSpeedUp", rotSpeedUp);
    ReadRequired(fields, "rotSpeedDown", rotSpeedDown);
}

void Pendulum::Update() {
    Transform& transform = *GetTransform();
    const float dt = Time::Get().GetDeltaTime();
    float r = swingingUp ? transform.GetRotation() + dt * rotSpeedUp
                         : transform.GetRotation() - dt * rotSpeedDown;
    // Keeps the sign, so a swing below zero stays below zero.
    r = std::fmod(r, 360.0f);
    // The limit is crossed once before turning back, so the swing reaches slightly past it.
    if (r > rotMax) {
        swingingUp = false;
    } else if (r < rotMin) {
        swingingUp = true;
    }
    transform.SetRotation(r);
}

}  // namespace Game
