#include "tools/vela-run/Observation.h"

#include <algorithm>
#include <cmath>

#include "engine/entity/CanvasSpace.h"
#include "engine/entity/Entity.h"
#include "engine/entity/Matrix3x3.h"
#include "engine/entity/Transform.h"
#include "engine/graphics/Camera.h"
#include "engine/input/Input.h"
#include "engine/physics/CircleCollider.h"
#include "engine/physics/DynamicBody2D.h"
#include "engine/physics/RectCollider.h"
#include "engine/scene/SceneManager.h"
#include "game/GameManager.h"
#include "game/PlaneRotator.h"
#include "game/SceneQueries.h"
#include "tools/vela-run/DumpFields.h"
#include "tools/vela-run/JsonWriter.h"
#include "tools/vela-run/RunOptions.h"

namespace VelaRun {

namespace {

using VelaEngine::Entity;
using VelaEngine::Matrix3x3;
using VelaEngine::Point2;

constexpr float kDegrees = 57.295776f;

Point2 Origin(const Matrix3x3& matrix) {
    return Point2(matrix.m[0][2], matrix.m[1][2]);
}

float RotationOf(const Matrix3x3& matrix) {
    return std::atan2(matrix.m[1][0], matrix.m[0][0]) * kDegrees;
}

// The longer of the two axes: how much the matrix enlarges a shape at most.
float GrowthOf(const Matrix3x3& matrix) {
    return std::max(std::hypot(matrix.m[0][0], matrix.m[1][0]),
                    std::hypot(matrix.m[0][1], matrix.m[1][1]));
}

// Where the picture puts an entity: its matrices from the root down, with the camera's
// inverse after each camera-space canvas, as the draw pass stacks them.
Matrix3x3 ScreenMatrix(Entity& entity) {
    Matrix3x3 own = entity.GetTransform().GetLocalMatrix();
    Matrix3x3 cameraInverse;
    if (entity.GetCanvasSpace() != nullptr &&
        entity.GetCanvasSpace()->GetCameraInverse(cameraInverse)) {
        own = own * cameraInverse;
    }
    VelaEngine::Transform* parent = entity.GetTransform().GetParent();
    return parent != nullptr ? ScreenMatrix(*parent->GetOwner()) * own : own;
}

void WriteCamera(JsonWriter& json) {
    json.Key("camera");
    VelaEngine::Camera* camera =
        VelaEngine::FindCamera(VelaEngine::SceneManagement::SceneManager::Get().GetCurrentScene());
    if (camera == nullptr) {
        json.Null();
        return;
    }
    const VelaEngine::Transform& transform = camera->GetOwner()->GetTransform();
    json.BeginObject();
    PairField(json, "position", transform.GetPosition().x, transform.GetPosition().y);
    NumberField(json, "rotation", transform.GetRotation());
    PairField(json, "scale", transform.GetScale().x, transform.GetScale().y);
    json.EndObject();
}

void WriteCursor(JsonWriter& json) {
    const Point2 screen = VelaEngine::Input::Get().GetCursor();
    VelaEngine::Camera* camera =
        VelaEngine::FindCamera(VelaEngine::SceneManagement::SceneManager::Get().GetCurrentScene());
    const Point2 world =
        camera != nullptr ? camera->GetOwner()->GetTransform().GetLocalMatrix() * screen : screen;
    json.Key("cursor");
    json.BeginObject();
    PairField(json, "screen", screen.x, screen.y);
    PairField(json, "world", world.x, world.y);
    json.EndObject();
}

void WritePlane(JsonWriter& json, Game::PlaneRotator* plane) {
    json.Key("plane");
    if (plane == nullptr) {
        json.Null();
        return;
    }
    Entity& entity = *plane->GetOwner();
    const Point2 world = entity.GetTransform().GetWorldPosition();
    const Point2 screen = Origin(ScreenMatrix(entity));
    json.BeginObject();
    json.Key("name");
    json.String(entity.GetName());
    PairField(json, "position", world.x, world.y);
    PairField(json, "screen", screen.x, screen.y);
    const auto* body = entity.GetComponent<VelaEngine::DynamicBody2D>();
    const VelaEngine::Vector2 velocity =
        body != nullptr ? body->GetVelocity() : VelaEngine::Vector2();
    PairField(json, "velocity", velocity.x, velocity.y);
    NumberField(json, "rotation", entity.GetTransform().GetRotation());
    json.EndObject();
}

void WriteLevel(JsonWriter& json, Game::PlaneRotator* plane) {
    Game::GameManager* manager = Game::FindInScene<Game::GameManager>();
    json.Key("level");
    if (manager == nullptr && plane == nullptr) {
        json.Null();
        return;
    }
    json.BeginObject();
    json.Key("countdownLeft");
    plane != nullptr ? json.Number(plane->countdownLeft) : json.Null();
    const bool ended = manager != nullptr && manager->levelEnded;
    BoolField(json, "ended", ended);
    BoolField(json, "won", ended && manager->levelWon);
    BoolField(json, "lost", ended && !manager->levelWon);
    NumberField(json, "starsFound", manager != nullptr ? manager->starsFound : 0);
    BoolField(json, "hasCheckpoint", plane != nullptr && plane->hasCheckpoint);
    BoolField(json, "checkpointUsed", plane != nullptr && plane->checkpointUsed);
    json.Key("lastContact");
    plane != nullptr && !plane->lastContact.empty() ? json.String(plane->lastContact) : json.Null();
    json.EndObject();
}

// Half the picture plus the shape's reach, so a shape partly in view counts as on screen.
bool OnScreen(const Point2& centre, float reach) {
    return std::fabs(centre.x) <= kWidth * 0.5f + reach &&
           std::fabs(centre.y) <= kHeight * 0.5f + reach;
}

void WriteCollider(JsonWriter& json, Entity& entity, const std::string& path) {
    const auto* circle = entity.GetComponent<VelaEngine::Collision::CircleCollider>();
    const auto* rect = entity.GetComponent<VelaEngine::Collision::RectCollider>();
    if (circle == nullptr && rect == nullptr) {
        return;
    }
    const Matrix3x3 screenMatrix = ScreenMatrix(entity);
    const Point2 screen = Origin(screenMatrix);
    const Matrix3x3 world = entity.GetTransform().GetWorldMatrix();
    const float reach = circle != nullptr ? circle->GetRadius()
                                          : 0.5f * std::hypot(rect->GetWidth(), rect->GetHeight());
    if (!OnScreen(screen, reach * GrowthOf(screenMatrix))) {
        return;
    }
    json.BeginObject();
    json.Key("name");
    json.String(entity.GetName());
    json.Key("path");
    json.String(path);
    json.Key("shape");
    json.String(circle != nullptr ? "circle" : "rect");
    PairField(json, "position", Origin(world).x, Origin(world).y);
    PairField(json, "screen", screen.x, screen.y);
    NumberField(json, "rotation", RotationOf(world));
    if (circle != nullptr) {
        NumberField(json, "radius", circle->GetRadius());
    } else {
        // What the rectangle covers: it turns and scales with its entity.
        NumberField(json, "w", rect->GetWidth() * std::hypot(world.m[0][0], world.m[1][0]));
        NumberField(json, "h", rect->GetHeight() * std::hypot(world.m[0][1], world.m[1][1]));
    }
    json.EndObject();
}

void WriteColliders(JsonWriter& json, Entity& entity, const std::string& parentPath) {
    if (entity.IsDestroyed()) {
        return;
    }
    const std::string path =
        parentPath.empty() ? entity.GetName() : parentPath + "/" + entity.GetName();
    WriteCollider(json, entity, path);
    for (const auto& child : entity.GetChildren()) {
        WriteColliders(json, *child, path);
    }
}
}  // namespace

std::string Observe(unsigned frame, bool running) {
    using VelaEngine::SceneManagement::SceneManager;
    SceneManager& scenes = SceneManager::Get();
    Game::PlaneRotator* plane = Game::FindInScene<Game::PlaneRotator>();
    JsonWriter json;
    json.BeginObject();
    NumberField(json, "frame", frame);
    json.Key("scene");
    json.String(scenes.GetCurrentSceneName());
    BoolField(json, "running", running);
    WriteCamera(json);
    WriteCursor(json);
    WritePlane(json, plane);
    WriteLevel(json, plane);
    json.Key("colliders");
    json.BeginArray();
    if (VelaEngine::SceneManagement::Scene* scene = scenes.GetCurrentScene()) {
        for (const auto& root : scene->GetRoots()) {
            WriteColliders(json, *root, "");
        }
    }
    json.EndArray();
    json.EndObject();
    return json.Text();
}

}  // namespace VelaRun
