#include "game/TimeScale.h"

#include "engine/core/Time.h"
#include "engine/input/Input.h"

namespace Game {

using namespace VelaEngine;

void TimeScale::Update() {
    const bool slow = Input::Get().GetState(MouseRightHeld);
    Time::Get().SetTimeScale(slow ? kSlowMotion : 1.0f);
}

}  // namespace Game
