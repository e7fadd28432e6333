#include <gtest/gtest.h>

#include "engine/entity/Entity.h"
#include "engine/physics/CircleCollider.h"
#include "engine/physics/DynamicBody2D.h"
#include "engine/physics/RectCollider.h"
#include "engine/physics/StaticBody2D.h"
#include "engine/scene/Resources.h"
#include "engine/scene/Scene.h"
#include "support/TempFolder.h"

using namespace VelaEngine;

namespace {

struct PhysicsSceneTest : testing::Test {
    PhysicsSceneTest() {
        Resources::Create();
        testing::internal::CaptureStdout();
        Resources::Get().Init(assets.Path(), nullptr);
        testing::internal::GetCapturedStdout();
    }
    ~PhysicsSceneTest() override { Resources::Release(); }

    TestSupport::TempFolder assets;
};

TEST_F(PhysicsSceneTest, TheEngineFactoryMakesBodiesAndCollidersByExactName) {
    auto owner = Entity::Create("Owner");
    Resources& resources = Resources::Get();
    EXPECT_NE(
        dynamic_cast<DynamicBody2D*>(resources.CreateEngineComponent("DynamicBody2D", *owner)),
        nullptr);
    EXPECT_NE(dynamic_cast<StaticBody2D*>(resources.CreateEngineComponent("StaticBody2D", *owner)),
              nullptr);
    EXPECT_NE(dynamic_cast<Collision::CircleCollider*>(
                  resources.CreateEngineComponent("CircleCollider", *owner)),
              nullptr);
    EXPECT_NE(dynamic_cast<Collision::RectCollider*>(
                  resources.CreateEngineComponent("RectCollider", *owner)),
              nullptr);
    EXPECT_EQ(owner->GetComponents().size(), 5u);
    EXPECT_EQ(resources.CreateEngineComponent("rectcollider", *owner), nullptr);
    EXPECT_EQ(resources.CreateEngineComponent("RigidBody2D", *owner), nullptr);
    EXPECT_EQ(resources.CreateEngineComponent("Collider", *owner), nullptr);
}

TEST_F(PhysicsSceneTest, ASceneFileConfiguresBodiesAndColliders) {
    assets.Write("scenes/physics.scene",
                 "Entity\tGround\n\tt\t0,-400\n\tr\t0\n\ts\t1,1\n"
                 "\tStaticBody2D\n"
                 "\tRectCollider\n\t\tw\t1600\n\t\th\t40\n\t\tmaterial\t0.8,0.1\n"
                 "\tEntity\tBall\n\t\tt\t0,100\n\t\tr\t0\n\t\ts\t1,1\n"
                 "\t\tCircleCollider\n\t\t\tradius\t25\n"
                 "\t\tDynamicBody2D\n\t\t\tmass\t2\n");
    auto scene = Resources::Get().Get<SceneManagement::Scene>("scenes/physics");
    Entity& ground = *scene->GetRoots().front();
    Entity& ball = *ground.GetChildren().front();
    ASSERT_NE(ground.GetComponent<StaticBody2D>(), nullptr);
    const auto* rect = ground.GetComponent<Collision::RectCollider>();
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->GetWidth(), 1600.0f);
    EXPECT_EQ(rect->GetHeight(), 40.0f);
    EXPECT_EQ(rect->GetMaterial(), Collision::Material(0.8f, 0.1f));
    const auto* circle = ball.GetComponent<Collision::CircleCollider>();
    const auto* body = ball.GetComponent<DynamicBody2D>();
    ASSERT_TRUE(circle != nullptr && body != nullptr);
    EXPECT_EQ(circle->GetRadius(), 25.0f);
    EXPECT_EQ(circle->GetMaterial(), Collision::Material(0.5f, 0.0f));
    EXPECT_EQ(body->GetMass(), 2.0f);
    EXPECT_EQ(body->GetGravityScale(), 1.0f);
    // Both are bodies that collide: the first collider and the first body are found by base.
    EXPECT_NE(ball.GetComponent<RigidBody2D>(), nullptr);
    EXPECT_EQ(ground.GetComponent<Collision::Collider>(), rect);
}

}  // namespace
