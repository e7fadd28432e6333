#pragma once
// A small physics world for tests: time at 1/60 s per frame, gravity (0, -200), the matrix
// stack, a root list, helpers that build bodies and colliders as a scene would, and the
// scene's frame.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/core/Time.h"
#include "engine/entity/CollisionEvents.h"
#include "engine/entity/Entity.h"
#include "engine/entity/EntityPasses.h"
#include "engine/entity/MatrixStack.h"
#include "engine/entity/Transform.h"
#include "engine/entity/VelaBehavior.h"
#include "engine/physics/CircleCollider.h"
#include "engine/physics/CollisionCandidates.h"
#include "engine/physics/DynamicBody2D.h"
#include "engine/physics/Physics.h"
#include "engine/physics/RectCollider.h"
#include "engine/physics/StaticBody2D.h"

namespace PhysicsTest {

using namespace VelaEngine;
using Collision::CircleCollider;
using Collision::Material;
using Collision::RectCollider;

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

class PhysicsWorld : public ::testing::Test {
protected:
    void SetUp() override {
        Time::Create();
        Time::Get().SetFrameRate(60);
        Time::Get().FrameStart();  // the first frame lasts exactly 1/60 s
        Physics::Create();
        Physics::Get().Init(Vector2(0.0f, -200.0f));
        MatrixStack::Create();
    }
    void TearDown() override {
        roots.clear();
        MatrixStack::Release();
        Physics::Release();
        Time::Release();
    }

    static Entity& Place(Entity& entity, Vector2 position, float rotation = 0.0f,
                         Vector2 scale = {1.0f, 1.0f}) {
        Transform& t = entity.GetTransform();
        t.SetPosition(position);
        t.SetRotation(rotation);
        t.SetScale(scale);
        return entity;
    }
    Entity& AddRoot(const std::string& name, Vector2 position = {}, float rotation = 0.0f,
                    Vector2 scale = {1.0f, 1.0f}) {
        roots.push_back(Entity::Create(name));
        return Place(*roots.back(), position, rotation, scale);
    }
    static Entity& AddChild(Entity& parent, const std::string& name, Vector2 position = {}) {
        auto child = Entity::Create(name);
        child->GetTransform().SetParent(&parent.GetTransform());
        return Place(*child, position);
    }

    static DynamicBody2D& MakeDynamic(Entity& entity, Vector2 velocity = {}) {
        auto* body = entity.AddComponent<DynamicBody2D>();
        body->SetVelocity(velocity);
        return *body;
    }
    static CircleCollider& MakeCircle(Entity& entity, float radius,
                                      Material material = Material(0.5f, 0.0f)) {
        auto* circle = entity.AddComponent<CircleCollider>();
        circle->SetRadius(radius);
        circle->SetMaterial(material);
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

    // The scene's frame: every root is updated, stepped, collided and drawn before the next
    // one moves.
    void RunFrame() {
        std::vector<Entity*> candidates;
        for (const auto& root : roots) {
            AwakeStartPass(*root);
            GatherPhysicsCandidates(*root, candidates);
        }
        Events::CollisionEvent event;
        event.candidates = candidates;
        MatrixStack::Get().Reset();
        for (const auto& root : roots) {
            UpdatePass(*root);
            PhysicsStepPass(*root);
            CollisionPass(*root, event);
            DrawPass(*root);
        }
        RemoveDestroyed(roots);
    }

    EntityList roots;
};

}  // namespace PhysicsTest
