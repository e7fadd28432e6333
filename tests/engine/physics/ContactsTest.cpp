#include <gtest/gtest.h>

#include "PhysicsTestSupport.h"

using namespace PhysicsTest;
using Names = std::vector<std::string>;

namespace {

struct ContactsTest : PhysicsWorld {
    // A ball that records its contacts.
    Entity& AddBall(Entity* parent, const std::string& name, Vector2 position, float radius,
                    Vector2 velocity) {
        Entity& ball =
            parent != nullptr ? AddChild(*parent, name, position) : AddRoot(name, position);
        MakeCircle(ball, radius);
        MakeDynamic(ball, velocity);
        ball.AddComponent<ContactProbe>();
        return ball;
    }
    static DynamicBody2D& Body(Entity& e) { return *e.GetComponent<DynamicBody2D>(); }
    static Vector2 Position(Entity& e) { return e.GetTransform().GetPosition(); }
};

TEST_F(ContactsTest, CandidatesAreEntitiesWithBothAColliderAndABodyInTreeOrder) {
    Entity& both = AddRoot("Both");
    MakeRect(both, 1.0f, 1.0f);
    both.AddComponent<StaticBody2D>();
    Entity& colliderOnly = AddChild(both, "ColliderOnly");
    MakeCircle(colliderOnly, 1.0f);
    Entity& child = AddChild(colliderOnly, "Grandchild");
    MakeDynamic(child);
    MakeCircle(child, 1.0f);
    Entity& bodyOnly = AddRoot("BodyOnly");
    MakeDynamic(bodyOnly);
    std::vector<Entity*> candidates;
    for (const auto& root : roots) {
        GatherPhysicsCandidates(*root, candidates);
    }
    EXPECT_EQ(candidates, (std::vector<Entity*>{&both, &child}));
}

TEST_F(ContactsTest, BouncesStopsAndTheirReportsInOneFrameInCandidateOrder) {
    // Each pair far enough from the others not to meet them.
    Entity& far = AddWall("Far", {0.0f, 0.0f}, 400.0f, 20.0f);
    Entity& group = AddRoot("Group", {1000.0f, 0.0f});
    Entity& ball = AddBall(&group, "Ball", {0.0f, 20.5f}, 10.0f, {30.0f, -120.0f});
    Entity& floor = AddWall("Floor", {1000.0f, 0.0f}, 400.0f, 20.0f);
    AddWall("Block", {2000.0f, 0.0f}, 100.0f, 100.0f);
    Entity& sunk = AddBall(nullptr, "Sunk", {2010.0f, 10.0f}, 5.0f, {20.0f, -20.0f});
    Entity& pair = AddRoot("Pair", {3000.0f, 0.0f});
    Entity& a = AddBall(&pair, "A", {0.0f, 0.0f}, 10.0f, {50.0f, 0.0f});
    Entity& b = AddBall(&pair, "B", {19.0f, 0.0f}, 10.0f, {-50.0f, 0.0f});
    AddWall("Ground", {4000.0f, 0.0f}, 400.0f, 20.0f);
    Entity& crate = AddRoot("Crate", {4000.0f, 20.0f});
    MakeRect(crate, 20.0f, 20.0f);
    MakeDynamic(crate, {0.0f, -60.0f});
    AddWall("Lawn", {5000.0f, 0.0f}, 400.0f, 20.0f);
    Entity& post = AddRoot("Post", {5000.0f, 33.0f});
    MakeCircle(post, 6.0f);
    post.AddComponent<StaticBody2D>();
    post.AddComponent<ContactProbe>();
    Entity& hit = AddBall(nullptr, "Hit", {5000.0f, 20.5f}, 10.0f, {0.0f, -120.0f});
    RunFrame();

    // The ball meets the floor under its world placement, not the wall at its local one. The
    // step's velocity is reflected: sideways unchanged, upwards at 0.5 × (1 − 1/60), and the
    // step replayed from where it began.
    const float fallSpeed = 120.0f + 200.0f * kDt;
    EXPECT_FLOAT_EQ(Body(ball).GetVelocity().x, 30.0f);
    EXPECT_FLOAT_EQ(Body(ball).GetVelocity().y, fallSpeed * 0.5f * (1.0f - kDt));
    EXPECT_NEAR(Position(ball).x, 30.0f * kDt, 1e-5);
    EXPECT_NEAR(Position(ball).y, 20.5f + Body(ball).GetVelocity().y * kDt, 1e-5);
    EXPECT_EQ(ContactsOf(ball), Names{"Floor"});
    EXPECT_EQ(ContactsOf(floor), Names{"Ball"});
    EXPECT_TRUE(ContactsOf(far).empty());
    EXPECT_EQ(Position(floor), Vector2(1000.0f, 0.0f));
    // A sunk circle, two overlapping circles and a falling rectangle stop where they were.
    for (Entity* stopped : {&sunk, &a, &b, &crate}) {
        SCOPED_TRACE(stopped->GetName());
        EXPECT_EQ(Body(*stopped).GetVelocity(), Vector2(0.0f, 0.0f));
    }
    EXPECT_EQ(Position(sunk), Vector2(2010.0f, 10.0f));
    EXPECT_EQ(Position(a), Vector2(0.0f, 0.0f));
    EXPECT_EQ(Position(b), Vector2(19.0f, 0.0f));
    EXPECT_EQ(Position(crate), Vector2(4000.0f, 20.0f));
    // B was answered as A's other party, so its own handler stayed quiet: one event each.
    EXPECT_EQ(ContactsOf(a), Names{"B"});
    EXPECT_EQ(ContactsOf(b), Names{"A"});
    EXPECT_TRUE(Body(b).IsResolvedThisFrame());
    // Every hit of the frame overwrites the velocity, in candidate order: bounced by the lawn
    // first, then stopped by the post.
    EXPECT_EQ(ContactsOf(hit), (Names{"Lawn", "Post"}));
    EXPECT_EQ(Body(hit).GetVelocity(), Vector2(0.0f, 0.0f));
    EXPECT_EQ(ContactsOf(post), Names{"Hit"});
}

}  // namespace
