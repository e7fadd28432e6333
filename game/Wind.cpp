#include "game/Wind.h"

#include "engine/animation/Animation.h"
#include "engine/audio/AudioClip.h"
#include "engine/core/Time.h"
#include "engine/entity/Transform.h"
#include "engine/graphics/Camera.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/graphics/Sprite.h"
#include "engine/input/Input.h"
#include "engine/physics/DynamicBody2D.h"
#include "engine/scene/FieldMap.h"
#include "engine/scene/Resources.h"
#include "engine/scene/SceneManager.h"
#include "game/FlightQueries.h"
#include "game/GameManager.h"
#include "game/LevelPause.h"
#include "game/PlaneRotator.h"
#include "game/SceneQueries.h"

namespace Game {

using namespace VelaEngine;

namespace {
const char* const kUser = "Wind";

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

void Wind::Deserialize(const FieldMap& fields) {
    loopSound = fields.Get("loopSound", loopSound.c_str());
    loopVolume = fields.Get("loopVolume", loopVolume);
    fadeIn = fields.Get("fadeIn", fadeIn);
    fadeOut = fields.Get("fadeOut", fadeOut);
}

std::shared_ptr<Component> Wind::Clone(Entity* newOwner) const {
    auto copy = MakePacked<Wind>(newOwner);
    copy->loopSound = loopSound;
    copy->loopVolume = loopVolume;
    copy->fadeIn = fadeIn;
    copy->fadeOut = fadeOut;
    return copy;
}

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
    // P is the level's one pause, as Escape is: from the first frame until the level ends.
    if (input.GetState(PPressed) && !LevelEnded()) {
        ToggleLevelPause();
    }
    if (!loopSound.empty()) {
        SoundLoop(input.GetState(MouseLeftHeld) && !time.IsPaused() && LevelAllowsWind());
    }
    if (time.IsPaused()) {
        if (!showingCursor) {
            ShowCursor();
        }
        return;
    }
    if (showingCursor) {
        ShowFan();
    }
    if (!LevelAllowsWind()) {
        return;
    }
    if (input.GetState(MouseLeftPressed) && loopSound.empty()) {
        PlayOn(*GetOwner(), "sounds/sfx/wind");
    }
    AimAndBlow();
}

bool Wind::LevelEnded() {
    const GameManager* manager = FindInScene<GameManager>();
    return manager != nullptr && manager->levelEnded;
}

bool Wind::LevelAllowsWind() const {
    const PlaneRotator* plane = FindInScene<PlaneRotator>();
    return plane != nullptr && plane->CountdownElapsed() >= PlaneRotator::kSkipAfter &&
           !LevelEnded();
}

void Wind::SoundLoop(bool blowing) {
    if (blowing && (!loop.IsActive() || loop.GetTarget() < 1.0f)) {
        if (!loop.IsActive()) {
            loop.Start(Resources::Get().Get<Audio::AudioClip>(loopSound));
        }
        loop.SetVolume(loopVolume);
        loop.FadeTo(1.0f, fadeIn);
    } else if (!blowing && loop.IsActive() && loop.GetTarget() > 0.0f) {
        loop.FadeTo(0.0f, fadeOut);
    }
    loop.Update(Time::Get().GetUnscaledDeltaTime());
}

void Wind::ShowFan() {
    showingCursor = false;
    if (image != nullptr) {
        image->SetSprite(fanSprite);
    }
}

void Wind::AimAndBlow() {
    ShowFan();
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
    if (distance < kReach && distance > 0.0f) {
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
