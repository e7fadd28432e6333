#include <gtest/gtest.h>

#include "PhysicsTestSupport.h"
#include "engine/scene/FieldMap.h"
#include "support/FatalCatcher.h"

using namespace PhysicsTest;
using TestSupport::FatalMessageOf;

namespace {

struct DynamicBodyTest : PhysicsWorld {
    Entity& ball = AddRoot("Ball", {10.0f, 100.0f});
    DynamicBody2D& body = MakeDynamic(ball);

    Vector2 Position() const { return ball.GetTransform().GetPosition(); }
};

TEST_F(DynamicBodyTest, AStepFallsAResolutionReplaysItAndImpulsesAreDividedByMass) {
    body.Step();
    EXPECT_EQ(body.GetVelocity().x, 0.0f);
    EXPECT_FLOAT_EQ(body.GetVelocity().y, -200.0f / 60.0f);
    // The move uses the new velocity: (0, -3.333...) × 1/60.
    EXPECT_EQ(Position().x, 10.0f);
    EXPECT_NEAR(Position().y - 100.0f, -200.0f / 3600.0f, 1e-5);
    EXPECT_EQ(body.GetPreviousPosition(), Point2(10.0f, 100.0f));
    EXPECT_EQ(body.GetPreviousVelocity(), Vector2(0.0f, 0.0f));
    EXPECT_EQ(ball.GetTransform().GetWorldPosition().y, Position().y);

    body.ResolveVelocity({60.0f, 120.0f});
    EXPECT_EQ(body.GetVelocity(), Vector2(60.0f, 120.0f));
    EXPECT_NEAR(Position().x, 11.0f, 1e-5);
    EXPECT_NEAR(Position().y, 102.0f, 1e-5);
    EXPECT_TRUE(body.IsResolvedThisFrame());
    body.Step();
    EXPECT_FALSE(body.IsResolvedThisFrame());

    // Impulses are divided by the mass, with no frame time in them.
    body.SetMass(4.0f);
    body.SetVelocity({1.0f, 0.0f});
    body.ApplyImpulse({8.0f, -2.0f});
    EXPECT_EQ(body.GetVelocity(), Vector2(3.0f, -0.5f));

    body.SetMass(0.0f);
    const auto push = [&] { body.ApplyImpulse({1.0f, 0.0f}); };
    EXPECT_EQ(FatalMessageOf(push),
              "Assertion in VEDebug.cpp line 35: DynamicBody2D of Ball has mass 0 and cannot take "
              "impulses");
    EXPECT_EQ(body.GetVelocity(), Vector2(3.0f, -0.5f));
    // Massless bodies still fall; only pushing them is refused.
    body.Step();
    EXPECT_FLOAT_EQ(body.GetVelocity().y, -0.5f - 200.0f / 60.0f);
}

// An earlier root's body may resolve a contact with this one before this one has stepped.
TEST_F(DynamicBodyTest, AResolutionBeforeTheFirstStepStartsWhereTheBodyStands) {
    body.ResolveVelocity({60.0f, -6.0f});
    EXPECT_NEAR(Position().x, 11.0f, 1e-5);
    EXPECT_NEAR(Position().y, 99.9f, 1e-4);

    // A body placed and then given its fields, as code that builds one at run time does.
    Entity& child = AddChild(ball, "Child", {0.0f, 0.0f});
    DynamicBody2D& late = MakeDynamic(child);
    child.GetTransform().SetPosition({115.0f, 100.0f});
    late.Deserialize(FieldMap());
    late.ResolveVelocity({0.0f, -200.0f / 60.0f});
    EXPECT_EQ(child.GetTransform().GetPosition().x, 115.0f);
    EXPECT_NEAR(child.GetTransform().GetPosition().y, 100.0f - 200.0f / 3600.0f, 1e-4);
}

TEST_F(DynamicBodyTest, TimeScaleZeroFreezesMotionAndAPauseAlsoHoldsImpulsesAndResolutions) {
    body.SetVelocity({5.0f, 5.0f});
    Time::Get().SetTimeScale(0.0f);
    ball.GetTransform().SetPosition({-3.0f, 7.0f});
    body.Step();
    EXPECT_EQ(body.GetVelocity(), Vector2(5.0f, 5.0f));
    EXPECT_EQ(Position(), Vector2(-3.0f, 7.0f));
    EXPECT_EQ(body.GetPreviousPosition(), Point2(-3.0f, 7.0f)) << "refreshed even so";

    Time::Get().SetTimeScale(1.0f);
    body.ResolveVelocity({4.0f, 4.0f});
    const Vector2 before = Position();
    Time::Get().SetPaused(true);
    body.Step();
    body.ApplyImpulse({100.0f, 100.0f});
    body.ResolveVelocity({-9.0f, -9.0f});
    EXPECT_EQ(body.GetVelocity(), Vector2(4.0f, 4.0f));
    EXPECT_EQ(Position(), before);
    EXPECT_TRUE(body.IsResolvedThisFrame()) << "a paused step must not clear the flag";
}

TEST_F(DynamicBodyTest, FieldsTakeDefaultsAndStopTheBodyAndACloneCarriesThemToItsOwner) {
    body.SetVelocity({50.0f, -20.0f});
    body.SetGravityScale(3.0f);
    body.Deserialize(FieldMap());
    EXPECT_EQ(body.GetGravityScale(), 1.0f);
    EXPECT_EQ(body.GetMass(), 0.0f);
    EXPECT_EQ(body.GetVelocity(), Vector2(0.0f, 0.0f));
    FieldMap fields;
    fields.Set("mass", "3");
    fields.Set("gravityScale", "0.25");
    fields.Set("linearDrag", "1.5");
    body.Deserialize(fields);
    body.SetVelocity({7.0f, -1.0f});
    auto other = Entity::Create("Other");
    auto copy = std::dynamic_pointer_cast<DynamicBody2D>(body.Clone(other.get()));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetOwner(), other.get());
    EXPECT_EQ(copy->GetMass(), 3.0f);
    EXPECT_EQ(copy->GetGravityScale(), 0.25f);
    EXPECT_EQ(copy->GetLinearDrag(), 1.5f);
    EXPECT_EQ(copy->GetVelocity(), Vector2(7.0f, -1.0f));
    // The copy listens to its own entity only, and leaves the lists when it goes.
    EXPECT_EQ(other->GetPhysicsStepListeners().Size(), 1u);
    EXPECT_EQ(other->GetCollisionEventListeners().Size(), 1u);
    EXPECT_EQ(ball.GetPhysicsStepListeners().Size(), 1u);
    copy.reset();
    EXPECT_EQ(other->GetPhysicsStepListeners().Size(), 0u);
    EXPECT_EQ(other->GetCollisionEventListeners().Size(), 0u);
    body.SetLinearDrag(0.0f);
    PhysicsStepPass(ball);
    EXPECT_FLOAT_EQ(body.GetVelocity().y, -1.0f - 0.25f * 200.0f / 60.0f) << "stepped by the pass";
}

TEST_F(DynamicBodyTest, ALinearDragSettlesAFallAtGravityOverDragAndNeverReversesAMotion) {
    FieldMap fields;
    fields.Set("mass", "1");
    fields.Set("linearDrag", "2");
    body.Deserialize(fields);
    body.Step();
    EXPECT_FLOAT_EQ(body.GetVelocity().y, (-200.0f / 60.0f) / (1.0f + 2.0f / 60.0f));
    for (int frame = 0; frame < 600; ++frame) {
        body.Step();
    }
    EXPECT_NEAR(body.GetVelocity().y, -100.0f, 0.01f) << "terminal speed is gravity / drag";

    // However strong the drag and long the frame, a motion only slows down.
    body.SetLinearDrag(1e9f);
    body.SetVelocity({300.0f, 0.0f});
    body.Step();
    EXPECT_GE(body.GetVelocity().x, 0.0f);
    EXPECT_LT(body.GetVelocity().x, 0.001f);

    fields.Set("linearDrag", "-0.5");
    EXPECT_EQ(FatalMessageOf([&] { body.Deserialize(fields); }),
              "Assertion in VEDebug.cpp line 35: DynamicBody2D \"linearDrag\" must be 0 or more, "
              "not \"-0.5\"");
}

}  // namespace
