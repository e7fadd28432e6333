// The contact broad phase follows every change that can bring a candidate into reach: a still
// collider that moves or grows, a candidate removed, a moving parent, a contact hook moving a
// later candidate in the middle of a body's tests. And a pile asks it once per body.
#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "PhysicsTestSupport.h"
#include "engine/physics/ContactBroadPhase.h"

namespace PhysicsTest {
namespace {

using Collision::ContactBroadPhase;
using BroadPlace = ContactBroadPhase::Place;
using Names = std::vector<std::string>;

// Runs its hook on every contact.
class OnEveryContact : public VelaBehavior {
public:
    OnEveryContact(Entity* owner, std::function<void()> hook)
        : VelaBehavior(owner), hook_(std::move(hook)) {}
    const char* GetTypeName() const override { return "OnEveryContact"; }
    std::shared_ptr<Component> Clone(Entity* owner) const override {
        return std::make_shared<OnEveryContact>(owner, hook_);
    }
    void OnCollision(Entity* const&) override { hook_(); }

private:
    std::function<void()> hook_;
};

// The hook, run the first time only.
std::function<void()> Once(std::function<void()> hook) {
    return [hook = std::move(hook)]() mutable {
        if (hook) {
            std::exchange(hook, nullptr)();
        }
    };
}

class BroadPhaseChanges : public PhysicsWorld {
protected:
    // A ball that drifts down by one unit a frame, recording its contacts.
    Entity& AddBall(const std::string& name, Vector2 position) {
        Entity& ball = AddRoot(name, position);
        MakeCircle(ball, 10.0f);
        DynamicBody2D& body = MakeDynamic(ball, {0.0f, -60.0f});
        body.SetGravityScale(0.0f);
        ball.AddComponent<ContactProbe>();
        return ball;
    }
    static ContactBroadPhase& Phase() { return ContactBroadPhase::Shared(); }
};

TEST_F(BroadPhaseChanges, StillCollidersSitInTheStaticGridMovingOnesInTheDynamicHugeOnesOutside) {
    AddBall("Ball", {0.0f, 100.0f});
    AddWall("Wall", {500.0f, 0.0f}, 60.0f, 20.0f);
    Entity& huge = AddWall("Huge", {0.0f, -5000.0f}, 100000.0f, 20.0f);
    RunFrame();
    ASSERT_EQ(Phase().CandidateCount(), 3u);
    EXPECT_EQ(Phase().PlaceOf(0), BroadPlace::Dynamic);
    EXPECT_EQ(Phase().PlaceOf(1), BroadPlace::Static);
    EXPECT_EQ(Phase().PlaceOf(2), BroadPlace::Outside);
    huge.GetComponent<RectCollider>()->SetSize(60.0f, 20.0f);
    RunFrame();
    EXPECT_EQ(Phase().PlaceOf(2), BroadPlace::Dynamic) << "shrunk to fit a few cells";
    EXPECT_EQ(Phase().PlaceOf(1), BroadPlace::Static);
}

TEST_F(BroadPhaseChanges, AStillColliderThatMovesOrGrowsIsMetWhereItNowIs) {
    Entity& ball = AddBall("Ball", {0.0f, 100.0f});
    Entity& moved = AddWall("Moved", {1000.0f, 0.0f}, 100.0f, 20.0f);
    AddBall("Other", {-1000.0f, 100.0f});
    Entity& grown = AddWall("Grown", {-1000.0f, 40.0f}, 2.0f, 2.0f);
    RunFrame();
    ASSERT_EQ(Phase().PlaceOf(1), BroadPlace::Static);
    ASSERT_EQ(Phase().PlaceOf(3), BroadPlace::Static);
    const std::uint64_t layouts = Phase().LayoutCount();
    moved.GetTransform().SetPosition({0.0f, 85.0f});
    grown.GetComponent<RectCollider>()->SetSize(100.0f, 100.0f);
    RunFrame();
    EXPECT_EQ(ContactsOf(ball), Names{"Moved"});
    EXPECT_EQ(ContactsOf(moved), Names{"Ball"});
    EXPECT_EQ(ContactsOf(grown), Names{"Other"});
    EXPECT_EQ(Phase().PlaceOf(1), BroadPlace::Dynamic);
    EXPECT_EQ(Phase().PlaceOf(3), BroadPlace::Dynamic);
    EXPECT_EQ(Phase().LayoutCount(), layouts) << "the same list needs no new layout";
}

TEST_F(BroadPhaseChanges, ARemovedCandidateIsNeitherMetNorLaidOutAgain) {
    Entity& ball = AddBall("Ball", {0.0f, 30.0f});
    Entity& gone = AddWall("Gone", {0.0f, 0.0f}, 100.0f, 20.0f);
    Entity& floor = AddWall("Floor", {0.0f, -20.0f}, 100.0f, 20.0f);
    RunFrame();
    const std::uint64_t layouts = Phase().LayoutCount();
    gone.Destroy();
    RunFrame();
    ASSERT_EQ(roots.size(), 2u);
    // Down to the floor's top at -10 plus the radius, through where the removed wall was.
    for (int frame = 0; frame < 35; ++frame) {
        RunFrame();
    }
    EXPECT_EQ(Phase().LayoutCount(), layouts + 1);
    EXPECT_EQ(Phase().CandidateCount(), 2u);
    ASSERT_FALSE(ContactsOf(ball).empty());
    EXPECT_EQ(ContactsOf(ball).front(), "Floor");
    EXPECT_EQ(ContactsOf(floor).front(), "Ball");
}

TEST_F(BroadPhaseChanges, AColliderMovedByItsGrandparentIsMetWhereItNowIs) {
    Entity& ball = AddBall("Ball", {0.0f, 100.0f});
    Entity& group = AddRoot("Group", {1000.0f, 0.0f});
    Entity& holder = AddChild(group, "Holder", {0.0f, 0.0f});
    Entity& shelf = AddChild(holder, "Shelf", {0.0f, 0.0f});
    shelf.AddComponent<StaticBody2D>();
    MakeRect(shelf, 100.0f, 20.0f);
    RunFrame();
    ASSERT_TRUE(ContactsOf(ball).empty());
    // Only the grandparent moves: the shelf's own transform stays as it was.
    group.GetTransform().SetPosition({0.0f, 85.0f});
    RunFrame();
    EXPECT_EQ(ContactsOf(ball), Names{"Shelf"});
}

TEST_F(BroadPhaseChanges, AContactHookMovingALaterCandidateIntoReachIsMetInTheSameFrame) {
    Entity& ball = AddBall("Ball", {0.0f, 20.5f});
    Entity& ledge = AddWall("Ledge", {0.0f, 0.0f}, 100.0f, 20.0f);
    Entity& block = AddWall("Block", {3000.0f, 0.0f}, 60.0f, 60.0f);
    ledge.AddComponent<OnEveryContact>(Once([&] {
        block.GetTransform().SetPosition({0.0f, 30.0f});
    }));
    RunFrame();
    EXPECT_EQ(ContactsOf(ball), (Names{"Ledge", "Block"}));
    EXPECT_EQ(ContactsOf(block), Names{"Ball"});
}

// The body's own contact hooks run before the other party is answered: a body they give the
// other takes the other half of the contact, even where an earlier contact found none.
TEST_F(BroadPhaseChanges, ABodyGivenToTheOtherPartyByAContactHookTakesItsHalf) {
    // Bouncing between two walls: right, left, then right again.
    Entity& ball = AddRoot("Ball", {0.0f, 0.0f});
    MakeCircle(ball, 10.0f);
    MakeDynamic(ball, {600.0f, 0.0f}).SetGravityScale(0.0f);
    ball.AddComponent<ContactProbe>();
    Entity& right = AddWall("Right", {40.0f, 0.0f}, 20.0f, 200.0f);
    AddWall("Left", {-40.0f, 0.0f}, 20.0f, 200.0f);
    int contacts = 0;
    DynamicBody2D* given = nullptr;
    ball.AddComponent<OnEveryContact>([&] {
        if (++contacts == 3) {
            given = right.AddComponent<DynamicBody2D>();
            given->SetGravityScale(0.0f);
        }
    });
    for (int frame = 0; frame < 120 && given == nullptr; ++frame) {
        RunFrame();
    }
    ASSERT_EQ(ContactsOf(ball), (Names{"Right", "Left", "Right"}));
    ASSERT_NE(given, nullptr);
    const Vector2 bounce = ball.GetComponent<DynamicBody2D>()->GetVelocity();
    EXPECT_LT(bounce.x, 0.0f);
    EXPECT_EQ(given->GetVelocity().x, -bounce.x);
}

// Moves its entity one unit to the left each frame, outside the physics.
class SlideLeft : public VelaBehavior {
public:
    using VelaBehavior::VelaBehavior;
    const char* GetTypeName() const override { return "SlideLeft"; }
    std::shared_ptr<Component> Clone(Entity* owner) const override {
        return std::make_shared<SlideLeft>(owner);
    }
    void Update() override {
        const Vector2 at = GetTransform()->GetPosition();
        GetTransform()->SetPosition({at.x - 1.0f, at.y});
    }
};

// A body keeps its list from frame to frame while it stays put. A wall slid into its reach
// inside the same cell, with no handler of its own to find the contact, must still be met.
TEST_F(BroadPhaseChanges, AKeptListMeetsAWallThatSlidesIntoReachInsideItsCell) {
    Entity& resting = AddRoot("Resting", {100.0f, 100.0f});
    MakeCircle(resting, 10.0f);
    MakeDynamic(resting).SetGravityScale(0.0f);
    resting.AddComponent<ContactProbe>();
    Entity& slider = AddWall("Slider", {160.0f, 100.0f}, 4.0f, 4.0f);
    slider.AddComponent<SlideLeft>();
    // Far-off big walls make the cells about 200 wide: both stay in one of them.
    AddWall("WestWall", {-5000.0f, 0.0f}, 200.0f, 200.0f);
    AddWall("EastWall", {5000.0f, 0.0f}, 200.0f, 200.0f);
    // The gap between the circle and the slider's face closes by one a frame from 48.
    for (int frame = 0; frame < 44; ++frame) {
        RunFrame();
    }
    ASSERT_TRUE(ContactsOf(resting).empty());
    for (int frame = 0; frame < 8 && ContactsOf(resting).empty(); ++frame) {
        RunFrame();
    }
    EXPECT_EQ(ContactsOf(resting), Names{"Slider"});
}

// Each body's handler runs once a frame (the pile moves each one back after the earlier
// ones resolve it) and meets every other body; none of those contacts moves a later body, so
// no handler needs a second list.
TEST_F(BroadPhaseChanges, APileAsksForOneListPerBodyAndFrame) {
    constexpr int kBodies = 40;
    for (int i = 0; i < kBodies; ++i) {
        Entity& ball = AddRoot("Ball" + std::to_string(i));
        MakeCircle(ball, 10.0f);
        MakeDynamic(ball);
        ball.AddComponent<ContactProbe>();
    }
    RunFrame();
    const std::uint64_t queries = Phase().QueryCount();
    RunFrame();
    RunFrame();
    const std::uint64_t asked = Phase().QueryCount() - queries;
    std::size_t contacts = 0;
    for (const auto& root : roots) {
        contacts += ContactsOf(*root).size();
    }
    EXPECT_GE(contacts, static_cast<std::size_t>(kBodies * (kBodies - 1)))
        << "every body meets the others";
    EXPECT_LE(asked, static_cast<std::uint64_t>(2 * kBodies));
    EXPECT_GT(asked, 0u);
}

}  // namespace
}  // namespace PhysicsTest
