#include "game/Wind.h"

#include "engine/animation/Animation.h"
#include "engine/core/Time.h"
#include "engine/entity/Transform.h"
#include "engine/graphics/Camera.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/graphics/Sprite.h"
#include "engine/input/Input.h"
#include "engine/physics/DynamicBody2D.h"
#include "engine/scene/Resources.h"
#include "engine/scene/SceneManager.h"
#include "game/FlightQueries.h"
#include "game/GameManager.h"
#include "game/PlaneRotator.h"
#include "game/SceneQueries.h"

namespace Game {

using namespace VelaEngine;

namespace {
const char* const kUser = "Wind";
// Where the options window waits while the game runs.
constexpr float kAway = 100000000.0f;

// The fan entity lives in camera space: its world position seen through the camera.
Point2 CursorInWorld(Entity& fan) {
    const Point2 screen = WorldPositionOf(fan);
    Camera* camera = FindCamera(SceneManagement::SceneManager::Get().GetCurrentScene());
    if (camera == nullptr) {
        return screen;
    }
    return camera->GetTransform()->GetWorldMatrix() * screen;
}
}  // namespace

void Wind::Start() {
    Resources& resources = Resources::Get();
    windSprite = resources.Get<Graphics::Sprite>("sprites/gameplay/entities/wind");
    cursorSprite = resources.Get<Graphics::Sprite>("sprites/centercursor");
    fanSprite = resources.Get<Graphics::Sprite>("sprites/gameplay/entities/fan");
    image = GetOwner()->GetComponent<Graphics::Image>();
    if (Entity* plane = Entity::Find("Airplane")) {
        airplane = plane->weak_from_this();
    }
}

void Wind::Update() {
    Input& input = Input::Get();
    Time& time = Time::Get();
    const bool blowing = input.GetState(MouseLeftHeld) && !time.IsPaused();
    if (auto* animation = GetOwner()->GetComponent<Mecanim::Animation>()) {
        animation->SetEnabled(blowing);
    }
    if (!LevelAllowsWind()) {
        return;
    }
    if (input.GetState(PPressed)) {
        TogglePause();
    }
    if (input.GetState(MouseLeftPressed)) {
        PlayOn(*GetOwner(), "sounds/sfx/wind");
    }
    if (!time.IsPaused()) {
        AimAndBlow();
    } else if (!showingCursor) {
        ShowCursor();
    }
}

bool Wind::LevelAllowsWind() const {
    const PlaneRotator* plane = FindInScene<PlaneRotator>();
    if (plane == nullptr || plane->CountdownElapsed() < PlaneRotator::kSkipAfter) {
        return false;
    }
    const GameManager* manager = FindInScene<GameManager>();
    return manager == nullptr || !manager->levelEnded;
}

void Wind::TogglePause() {
    Time& time = Time::Get();
    time.SetPaused(!time.IsPaused());
    if (time.IsPaused()) {
        MoveEntityTo("OptionsWindow", 0.0f, 0.0f);
    } else {
        MoveEntityTo("OptionsWindow", kAway, kAway);
    }
}

void Wind::AimAndBlow() {
    showingCursor = false;
    if (image != nullptr) {
        image->SetSprite(fanSprite);
    }
    std::shared_ptr<Entity> plane = airplane.lock();
    if (plane == nullptr) {
        plane = RequireEntity("Airplane", kUser).shared_from_this();
        airplane = plane;
    }
    const Vector2 d = WorldPositionOf(*plane) - CursorInWorld(*GetOwner());
    GetTransform()->SetRotation(DirectionDegrees(d));
    if (!Input::Get().GetState(MouseLeftHeld)) {
        return;
    }
    const float distance = d.Length();
    Time& time = Time::Get();
    if (distance < kReach && distance > 0.0f && !time.IsPaused()) {
        const Vector2 impulse =
            d / distance * ((1.0f - distance / kReach) * kStrength * time.GetDeltaTime());
        RequireComponent<DynamicBody2D>(*plane, "DynamicBody2D", kUser).ApplyImpulse(impulse);
    }
    if (auto* particles = GetOwner()->GetComponent<Graphics::ParticleSystem>()) {
        particles->Emit(1, 10.0f, 200.0f, 0.3f, 20.0f, 0.0f, windSprite, Vector2(1500.0f, 0.0f));
    }
}

void Wind::ShowCursor() {
    GetTransform()->SetRotation(0.0f);
    showingCursor = true;
    if (image != nullptr) {
        image->RebuildMesh();
        image->SetSprite(cursorSprite);
    }
}

}  // namespace Game
