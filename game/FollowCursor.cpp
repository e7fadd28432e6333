#include "game/FollowCursor.h"

#include "engine/entity/Transform.h"
#include "engine/input/Input.h"

namespace Game {

using namespace VelaEngine;

void FollowCursor::Start() {
    lastCursor = Input::Get().GetCursor();
    GetTransform()->SetPosition(Vector2(lastCursor.x, lastCursor.y));
}

void FollowCursor::Update() {
    // Moves by the cursor's step rather than to it, so offsets set by others survive.
    const Point2 cursor = Input::Get().GetCursor();
    Transform& transform = *GetTransform();
    transform.SetPosition(transform.GetPosition() + (cursor - lastCursor));
    lastCursor = cursor;
}

}  // namespace Game
