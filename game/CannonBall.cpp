#include "game/CannonBall.h"

#include "engine/entity/Transform.h"
#include "engine/graphics/Image.h"
#include "engine/physics/CircleCollider.h"
#include "engine/physics/DynamicBody2D.h"
#include "engine/scene/FieldMap.h"
#include "engine/scene/ValueText.h"
#include "game/DestroyAfter.h"
#include "game/FlightQueries.h"

namespace Game {

using namespace VelaEngine;

namespace {
// Adds a T to the ball and hands it its fields right away, as the scene loader would.
template <class T>
T* AddWithFields(Entity& ball, std::initializer_list<std::pair<const char*, std::string>> list) {
    FieldMap fields;
    for (const auto& [name, text] : list) {
        fields.Set(name, text);
    }
    T* component = ball.AddComponent<T>();
    component->Deserialize(fields);
    return component;
}
}  // namespace

std::shared_ptr<Entity> SpawnCannonBall(const std::string& name, const Vector2& position,
                                        float rotation, const std::string& user) {
    Entity& group = RequireEntity("CannonBallGroup", user);
    std::shared_ptr<Entity> ball = Entity::Create(name);

    FieldMap placement;
    placement.Set("t", position.Serialize());
    placement.Set("r", FormatFloat(rotation));
    placement.Set("s", "1,1");
    ball->GetTransform().Deserialize(placement);
    ball->GetTransform().SetParent(group.GetTransformPtr());

    AddWithFields<Collision::CircleCollider>(*ball, {{"radius", "12.5"}, {"material", "0.0,0.0"}});
    AddWithFields<DynamicBody2D>(*ball, {{"mass", "1.0"}, {"gravityScale", "0"}});
    AddWithFields<Graphics::Image>(
        *ball, {{"w", "25"}, {"h", "25"}, {"Sprite", "sprites/gameplay/entities/bullet"}});
    ball->AddComponent<DestroyAfter>();
    return ball;
}

}  // namespace Game
