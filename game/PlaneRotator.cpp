#include "game/PlaneRotator.h"

#include <iostream>
#include <string>

#include "engine/core/Random.h"
#include "engine/core/Time.h"
#include "engine/entity/Transform.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/Sprite.h"
#include "engine/input/Input.h"
#include "engine/physics/CircleCollider.h"
#include "engine/physics/DynamicBody2D.h"
#include "engine/scene/Resources.h"
#include "game/FlightQueries.h"
#include "game/GameManager.h"
#include "game/PlaneFeedback.h"
#include "game/SavedValues.h"
#include "game/SceneQueries.h"

namespace Game {

using namespace VelaEngine;

namespace {
const char* const kUser = "PlaneRotator";
const char* const kCountdownEntities[] = {"go", "g3", "g2", "g1"};

Vector2 AsVector(const Point2& p) {
    return {p.x, p.y};
}

Point2 AsPoint(const Vector2& v) {
    return {v.x, v.y};
}

float Distance(const Point2& a, const Point2& b) {
    return (a - b).Length();
}

float ColliderRadius(Entity& entity) {
    return RequireComponent<Collision::CircleCollider>(entity, "CircleCollider", kUser).GetRadius();
}

// Sets both mirror flags, remaking the quad only when they change.
void Mirror(Graphics::Image& image, bool flipX, bool flipY) {
    if (image.GetFlipX() != flipX || image.GetFlipY() != flipY) {
        image.Set(image.GetWidth(), image.GetHeight(), image.GetSprite(), image.GetTint(), flipX,
                  flipY);
    }
}
}  // namespace

DynamicBody2D& PlaneRotator::Body() {
    return RequireComponent<DynamicBody2D>(*GetOwner(), "DynamicBody2D", kUser);
}

float PlaneRotator::Radius() {
    return ColliderRadius(*GetOwner());
}

void PlaneRotator::Start() {
    Entity& airplane = RequireEntity("Airplane", kUser);
    startPosition = AsPoint(airplane.GetTransform().GetPosition());
    const int skin = SavedPlaneSkin();
    auto sprite = Resources::Get().Get<Graphics::Sprite>("sprites/gameplay/entities/ball" +
                                                         std::to_string(skin));
    if (auto* image = airplane.GetComponent<Graphics::Image>()) {
        image->SetSprite(sprite);
    }
}

void PlaneRotator::Update() {
    PickStars();
    PickCheckpoint();
    RunCountdown();
    Face();
}

void PlaneRotator::PickStars() {
    const std::vector<Entity*> stars = FindAllNamed("InGameStar");
    if (stars.empty()) {
        return;
    }
    const Point2 plane = WorldPositionOf(*GetOwner());
    const float planeRadius = Radius();
    for (Entity* star : stars) {
        // A star taken earlier this frame is still in the tree until the frame ends.
        if (star->IsDestroyed()) {
            continue;
        }
        const Point2 where = WorldPositionOf(*star);
        if (Distance(where, plane) >= ColliderRadius(*star) + planeRadius) {
            continue;
        }
        SpawnStarFeedback(where);
        if (GameManager* manager = FindInScene<GameManager>()) {
            ++manager->starsFound;
            std::cout << manager->starsFound << std::endl;
        }
        star->Destroy();
    }
}

void PlaneRotator::PickCheckpoint() {
    Entity* checkpoint = Entity::Find("CheckPoint");
    if (checkpoint == nullptr || checkpoint->IsDestroyed()) {
        return;
    }
    const float reach = ColliderRadius(*checkpoint) + kCheckpointReach;
    if (Distance(WorldPositionOf(*checkpoint), WorldPositionOf(*GetOwner())) >= reach) {
        return;
    }
    SpawnCheckpointFeedback();
    hasCheckpoint = true;
    checkpointPosition = AsPoint(checkpoint->GetTransform().GetPosition());
    checkpoint->Destroy();
}

void PlaneRotator::RunCountdown() {
    countdownLeft -= Time::Get().GetDeltaTime();
    if (countdownLeft <= 0.0f) {
        return;
    }
    // While paused the button is for the options window, not for the countdown.
    const bool skip = Input::Get().GetState(MouseLeftHeld) && !Time::Get().IsPaused();
    if (skip && CountdownElapsed() > kSkipAfter) {
        countdownLeft = 0.0f;
        for (const char* name : kCountdownEntities) {
            if (Entity* entity = Entity::Find(name)) {
                entity->Destroy();
            }
        }
    }
    Entity& airplane = RequireEntity("Airplane", kUser);
    airplane.GetTransform().SetPosition(AsVector(startPosition));
    RequireComponent<DynamicBody2D>(airplane, "DynamicBody2D", kUser).SetVelocity(Vector2());
}

void PlaneRotator::Face() {
    const Vector2 v = Body().GetVelocity();
    auto* image = GetOwner()->GetComponent<Graphics::Image>();
    Transform& transform = *GetTransform();
    if (v.Length() >= kFacingSpeed) {
        transform.SetRotation(DirectionDegrees(v));
        if (image != nullptr) {
            Mirror(*image, false, v.x < 0.0f);
        }
    } else {
        transform.SetRotation(0.0f);
        if (image != nullptr) {
            Mirror(*image, v.x < 0.0f, false);
        }
    }
}

void PlaneRotator::OnCollision(Entity* const& other) {
    if (other->GetName() == "WinFlag") {
        return;
    }
    if (other->GetName() == "CannonBall") {
        other->Destroy();
    }
    const GameManager* manager = FindInScene<GameManager>();
    if (countdownLeft > 0.0f || (manager != nullptr && manager->levelEnded)) {
        return;
    }
    lastContact = other->GetName();
    if (hasCheckpoint && !checkpointUsed) {
        Rescue();
    } else {
        Lose();
    }
}

void PlaneRotator::Rescue() {
    checkpointUsed = true;
    GetTransform()->SetPosition(AsVector(checkpointPosition));
    Body().SetVelocity(Vector2());
    PlayOn(*GetOwner(), "sounds/sfx/gotocheckpoint");
}

void PlaneRotator::Lose() {
    SpawnCrashFeedback();
    if (GameManager* manager = FindInScene<GameManager>()) {
        manager->EndLevel(false);
    }
    MoveEntityTo("LoseWindow", 0.0f, 250.0f);
}

void PlaneRotator::SpawnStarFeedback(const Point2& position) {
    SpawnFeedback({AsVector(position), 0.0f, 100.0f, "sprites/gameplay/entities/starfeedback"});
    PlayOn(*GetOwner(), "sounds/sfx/pickstar");
}

void PlaneRotator::SpawnCheckpointFeedback() {
    const Entity& checkpoint = RequireEntity("CheckPoint", kUser);
    SpawnFeedback({checkpoint.GetTransform().GetPosition(), 0.0f, 100.0f,
                   "sprites/gameplay/entities/cpfeedback"});
    PlayOn(*GetOwner(), "sounds/sfx/checkpoint");
}

void PlaneRotator::SpawnCrashFeedback() {
    Random& random = Random::Get();
    const float rotation = random.Range(0.0f, 360.0f);
    const float size = random.Range(100.0f, 200.0f);
    SpawnFeedback(
        {GetTransform()->GetPosition(), rotation, size, "sprites/gameplay/entities/collided"});
    PlayOn(*GetOwner(), "sounds/sfx/boom");
}

}  // namespace Game
