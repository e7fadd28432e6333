#pragma once
// A small physics world for tests: the entity tests' world and frame, with time at 1/60 s per
// frame, gravity (0, -200), and helpers that build bodies and colliders as a scene would.
#include <string>
#include <vector>

#include "engine/core/Time.h"
#include "engine/physics/CircleCollider.h"
#include "engine/physics/DynamicBody2D.h"
#include "engine/physics/Physics.h"
#include "engine/physics/RectCollider.h"
#include "engine/physics/StaticBody2D.h"
#include "tests/engine/entity/EntityTestSupport.h"

namespace PhysicsTest {

using namespace VelaEngine;
using Collision::CircleCollider;
using Collision::Material;
using Collision::RectCollider;
using EntityTest::Place;

constexpr float kDt = 1.0f / 60.0f;

// Records the names of the entities its entity was told it touched.
class ContactProbe : public VelaBehavior {
public:
    using VelaBehavior::VelaBehavior;
    const char* GetTypeName() const override { return "ContactProbe"; }
    std::shared_ptr<Component> Clone(Entity* owner) const override {
        return std::make_shared<ContactProbe>(owner);
    }
    void OnCollision(Entity* const& other) override { contacts.push_back(other->GetName()); }
    std::vector<std::string> contacts;
};

class PhysicsWorld : public EntityTest::EntityWorld {
protected:
    void SetUp() override {
        EntityWorld::SetUp();
        Time::Create();
        Time::Get().SetFrameRate(60);
        Time::Get().FrameStart();  // the first frame lasts exactly 1/60 s
        Physics::Create();
        Physics::Get().Init(Vector2(0.0f, -200.0f));
    }
    void TearDown() override {
        EntityWorld::TearDown();
        Physics::Release();
        Time::Release();
    }

    Entity& AddRoot(const std::string& name, Vector2 position = {}, float rotation = 0.0f,
                    Vector2 scale = {1.0f, 1.0f}) {
        return Place(EntityWorld::AddRoot(name), position, rotation, scale);
    }
    static Entity& AddChild(Entity& parent, const std::string& name, Vector2 position = {}) {
        return Place(EntityWorld::AddChild(parent, name), position);
    }

    static DynamicBody2D& MakeDynamic(Entity& entity, Vector2 velocity = {}) {
        auto* body = entity.AddComponent<DynamicBody2D>();
        body->SetVelocity(velocity);
        return *body;
    }
    static CircleCollider& MakeCircle(Entity& entity, float radius) {
        auto* circle = entity.AddComponent<CircleCollider>();
        circle->SetRadius(radius);
        return *circle;
    }
    static RectCollider& MakeRect(Entity& entity, float w, float h) {
        auto* rect = entity.AddComponent<RectCollider>();
        rect->SetSize(w, h);
        return *rect;
    }
    // A static rectangle that records its contacts.
    Entity& AddWall(const std::string& name, Vector2 position, float w, float h) {
        Entity& wall = AddRoot(name, position);
        wall.AddComponent<StaticBody2D>();
        MakeRect(wall, w, h);
        wall.AddComponent<ContactProbe>();
        return wall;
    }
    static std::vector<std::string>& ContactsOf(Entity& entity) {
        return entity.GetComponent<ContactProbe>()->contacts;
    }
};

}  // namespace PhysicsTest
