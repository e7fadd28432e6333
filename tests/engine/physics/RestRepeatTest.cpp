// Bodies that come to rest repeat their last frame instead of working it out again. Run through
// the scene's own root passes, a field where most bodies rest must give the same placements,
// velocities and contact reports, bit for bit, frame by frame, as with every frame worked out,
// while contact hooks now and then move, reshape or re-aim things in the middle of a pass, and
// behaviours change a resting body's step between two bodies' frames.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "PhysicsTestSupport.h"
#include "engine/entity/FramePasses.h"
#include "engine/entity/MatrixStack.h"
#include "engine/physics/PhysicsComponents.h"

namespace PhysicsTest {
namespace {

class RestRepeat;

struct FieldRun {
    RestRepeat* world = nullptr;
    std::vector<Entity*> balls;
    int spawned = 0;
    // While set, each circle's first contact gives it a child that hears the collision pass.
    bool echoing = false;
    int echoes = 0;
    std::mt19937 random;
    std::string contacts;
    int perturbations = 0;
    float bottom = 0.0f;
    // Frames repeated, frame by frame.
    std::vector<std::uint64_t> repeats;

    float Uniform(float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(random);
    }
};

// Puts a circle that fell off the field back on top. On a contact, logs it and, rarely, does
// one of the things a hook may do behind a repeated frame's back.
class Settler : public VelaBehavior {
public:
    Settler(Entity* owner, FieldRun* run) : VelaBehavior(owner), run_(run) {}
    const char* GetTypeName() const override { return "Settler"; }
    std::shared_ptr<Component> Clone(Entity* owner) const override {
        return std::make_shared<Settler>(owner, run_);
    }
    void Update() override {
        Time::Get().SetPaused(false);
        // Now and then, between two bodies' frames, something reaches a resting one.
        if (run_->Uniform(0, 1) < 0.002f) {
            ++run_->perturbations;
            NudgeAnotherBall(static_cast<int>(run_->Uniform(0, 4)));
        }
        Transform& t = *GetTransform();
        if (t.GetPosition().y < run_->bottom) {
            t.SetPosition({t.GetPosition().x, 150.0f});
            GetOwner()->GetComponent<DynamicBody2D>()->SetVelocity({});
        }
    }
    void OnCollision(Entity* const& other) override;

private:
    void NudgeAnotherBall(int what);

    FieldRun* run_;
};

// Logs the contacts its entity is told of with the run's own.
class ContactLog : public VelaBehavior {
public:
    ContactLog(Entity* owner, FieldRun* run) : VelaBehavior(owner), run_(run) {}
    const char* GetTypeName() const override { return "ContactLog"; }
    std::shared_ptr<Component> Clone(Entity* owner) const override {
        return std::make_shared<ContactLog>(owner, run_);
    }
    void OnCollision(Entity* const& other) override {
        run_->contacts += GetOwner()->GetName() + "<" + other->GetName() + " ";
    }

private:
    FieldRun* run_;
};

// A second step listener, after the body's: logs the velocity the body's step left.
class StepWatcher : public Component {
public:
    StepWatcher(Entity* owner, FieldRun* run) : Component(owner), run_(run) {
        owner->GetPhysicsStepListeners().Register(step_);
    }
    const char* GetTypeName() const override { return "StepWatcher"; }
    std::shared_ptr<Component> Clone(Entity* owner) const override {
        return std::make_shared<StepWatcher>(owner, run_);
    }

private:
    void OnStep(const Events::EventBase&) {
        char line[80];
        const Vector2 v = GetOwner()->GetComponent<DynamicBody2D>()->GetVelocity();
        std::snprintf(line, sizeof line, "step %a %a ", v.x, v.y);
        run_->contacts += GetOwner()->GetName() + line;
    }

    FieldRun* run_;
    Events::ClassListener<StepWatcher> step_{this, &StepWatcher::OnStep};
};

// Hears the collision pass under the circle a hook put it on: the pass that was going on must
// still reach it.
class CollisionEcho : public Component {
public:
    CollisionEcho(Entity* owner, FieldRun* run) : Component(owner), run_(run) {
        owner->GetCollisionEventListeners().Register(heard_);
    }
    const char* GetTypeName() const override { return "CollisionEcho"; }
    std::shared_ptr<Component> Clone(Entity* owner) const override {
        return std::make_shared<CollisionEcho>(owner, run_);
    }

private:
    void OnCollisionPass(const Events::EventBase&) {
        run_->contacts += GetOwner()->GetName() + " heard ";
    }

    FieldRun* run_;
    Events::ClassListener<CollisionEcho> heard_{this, &CollisionEcho::OnCollisionPass};
};

class RestRepeat : public PhysicsWorld {
public:
    Entity& AddRoot(const std::string& name, Vector2 position, float rotation = 0.0f) {
        return PhysicsWorld::AddRoot(name, position, rotation);
    }
    static Entity& AddChild(Entity& parent, const std::string& name) {
        return PhysicsWorld::AddChild(parent, name);
    }

protected:
    void TearDown() override {
        DynamicBody2D::SetRepeatAtRest(true);
        PhysicsWorld::TearDown();
    }

    // The scene's frame: awake and start, the candidates, then the root passes.
    void SceneFrame() {
        std::vector<Entity*> candidates;
        AwakeStartAndGather(roots, HasColliderAndBody, candidates);
        Events::CollisionEvent event;
        event.candidates = candidates;
        RunRootPasses(roots, HasColliderAndBody, event);
        RemoveDestroyed(roots);
    }

    // A staggered field of tilted rectangles with a circle dropped above each; most circles
    // end up caught at a corner. Per frame: the contact reports, then every root exactly.
    std::vector<std::string> Simulate(bool repeat, int columns, int rows, int frames, FieldRun& run,
                                      int newMaterialAt = -1, int watchersAt = -1,
                                      int echoAt = -1) {
        DynamicBody2D::SetRepeatAtRest(repeat);
        // Hooks of an earlier run may have changed the world's gravity and time.
        Physics::Get().SetGravity({0.0f, -200.0f});
        Time::Get().SetTimeScale(1.0f);
        run.world = this;
        run.random.seed(7);
        run.bottom = -100.0f * static_cast<float>(rows + 1);
        for (int i = 0; i < columns * rows; ++i) {
            const float x = static_cast<float>(i % columns) * 100.0f + (i / columns % 2) * 50.0f;
            const float y = -100.0f * static_cast<float>(i / columns);
            Entity& rect = AddRoot("R" + std::to_string(i), {x, y}, i % 2 == 0 ? 25.0f : -25.0f);
            rect.AddComponent<StaticBody2D>();
            rect.AddComponent<RectCollider>()->SetSize(60, 20);
            Entity& ball = AddRoot("C" + std::to_string(i), {x + run.Uniform(-20, 20), y + 40});
            ball.AddComponent<CircleCollider>()->SetRadius(10);
            ball.AddComponent<DynamicBody2D>();
            ball.AddComponent<Settler>(&run);
            run.balls.push_back(&ball);
        }
        std::vector<std::string> dumps;
        for (int frame = 0; frame < frames; ++frame) {
            if (frame == newMaterialAt) {
                for (const auto& root : roots) {
                    if (auto* circle = root->GetComponent<CircleCollider>()) {
                        circle->SetMaterial(Material(0.25f, 1.5f));
                    }
                }
            }
            if (frame == watchersAt) {
                // Between these circles' steps and their contacts from now on, most of them
                // resting: none may leave its step to the contacts any more.
                for (std::size_t i = 0; i < run.balls.size(); i += 3) {
                    run.balls[i]->AddComponent<StepWatcher>(&run);
                }
            }
            run.echoing = frame == echoAt;
            const std::uint64_t before = DynamicBody2D::RepeatedFrames();
            SceneFrame();
            run.repeats.push_back(DynamicBody2D::RepeatedFrames() - before);
            std::string dump = run.contacts + "\n";
            run.contacts.clear();
            for (const auto& root : roots) {
                const Transform& t = root->GetTransform();
                char line[200];
                std::snprintf(line, sizeof line, "%a %a %a\n", t.GetPosition().x, t.GetPosition().y,
                              t.GetRotation());
                dump += line;
                if (const auto* body = root->GetComponent<DynamicBody2D>()) {
                    std::snprintf(line, sizeof line, " v %a %a\n", body->GetVelocity().x,
                                  body->GetVelocity().y);
                    dump += line;
                }
            }
            dumps.push_back(dump);
        }
        roots.clear();
        return dumps;
    }
};

// Changes one input of a random circle's step, which may be resting.
void Settler::NudgeAnotherBall(int what) {
    FieldRun& run = *run_;
    const auto pick =
        static_cast<std::size_t>(run.Uniform(0, static_cast<float>(run.balls.size())));
    Entity& ball = *run.balls[pick % run.balls.size()];
    auto* body = ball.GetComponent<DynamicBody2D>();
    switch (what) {
        case 0:
            body->SetGravityScale(run.Uniform(-0.5f, 1.5f));
            break;
        case 1:
            body->SetLinearDrag(run.Uniform(0.0f, 0.5f));
            break;
        case 2: {
            // The smallest step there is: one unit in the last place.
            Transform& t = ball.GetTransform();
            t.SetPosition({std::nextafter(t.GetPosition().x, 1e9f), t.GetPosition().y});
            break;
        }
        default:
            body->SetMass(1.0f);
            body->ApplyImpulse({run.Uniform(-5, 5), run.Uniform(-5, 5)});
            break;
    }
}

void Settler::OnCollision(Entity* const& other) {
    FieldRun& run = *run_;
    run.contacts += GetOwner()->GetName() + "<" + other->GetName() + " ";
    if (run.echoing && GetOwner()->GetChildren().empty()) {
        // In the middle of this circle's contacts: a child the pass must still reach.
        Entity& echo = RestRepeat::AddChild(*GetOwner(), "E" + std::to_string(run.echoes++));
        echo.AddComponent<CollisionEcho>(run_);
    }
    if (run.Uniform(0, 1) > 0.004f) {
        return;
    }
    ++run.perturbations;
    auto* circle = GetOwner()->GetComponent<CircleCollider>();
    switch (static_cast<int>(run.Uniform(0, 18))) {
        case 0:
            other->GetTransform().SetPosition(other->GetTransform().GetPosition() +
                                              Vector2(run.Uniform(-30, 30), run.Uniform(-30, 30)));
            break;
        case 1:
            GetOwner()->GetComponent<DynamicBody2D>()->SetVelocity(
                {run.Uniform(-50, 50), run.Uniform(0, 80)});
            break;
        case 2:
            circle->SetMaterial(Material(run.Uniform(0, 1), run.Uniform(0, 2)));
            break;
        case 3:
            circle->SetRadius(run.Uniform(6, 45));
            break;
        case 4:
            GetTransform()->SetRotation(run.Uniform(0, 360));
            break;
        case 5:
            // Pushed and popped: the stack ends as it was, but was edited.
            MatrixStack::Get().Push(Matrix3x3());
            MatrixStack::Get().Pop();
            break;
        case 6:
            // A resting circle's other party, quiet until now, must hear of every contact.
            other->AddComponent<ContactLog>(run_);
            break;
        case 7:
            // Paused for the rest of this frame's pass; the next update lifts it.
            Time::Get().SetPaused(true);
            break;
        case 8:
            if (run.spawned < 10) {
                Entity& spawn = run.world->AddRoot(
                    "S" + std::to_string(run.spawned++),
                    GetTransform()->GetPosition() + Vector2(run.Uniform(-15, 15), 25));
                spawn.AddComponent<CircleCollider>()->SetRadius(8);
                spawn.AddComponent<DynamicBody2D>();
                spawn.AddComponent<Settler>(run_);
            }
            break;
        case 9:
            // Rectangles only: the circles are named in the run.
            if (other->GetComponent<RectCollider>() != nullptr) {
                other->Destroy();
            }
            break;
        case 10: {
            // Another circle, which may be resting: its next frame must notice.
            const auto pick =
                static_cast<std::size_t>(run.Uniform(0, static_cast<float>(run.balls.size())));
            Entity& ball = *run.balls[pick % run.balls.size()];
            // Too small to reach the corner it rests on.
            ball.GetComponent<CircleCollider>()->SetRadius(run.Uniform(2, 4));
            break;
        }
        case 11:
            // Slow motion, as the right mouse button asks for it: every later step's time.
            Time::Get().SetTimeScale(run.Uniform(0.5f, 1.0f));
            break;
        case 12:
            Physics::Get().SetGravity({run.Uniform(-20, 20), run.Uniform(-250, -150)});
            break;
        case 13: {
            const float scale = run.Uniform(0.8f, 1.2f);
            GetTransform()->SetScale({scale, scale});
            break;
        }
        case 14:
            // A circle's answer reads its own material only: this must change nothing.
            if (auto* rect = other->GetComponent<RectCollider>()) {
                rect->SetMaterial(Material(run.Uniform(0, 1), run.Uniform(0, 2)));
            }
            break;
        case 15:
        case 16:
            NudgeAnotherBall(static_cast<int>(run.Uniform(0, 4)));
            break;
        default:
            if (auto* rect = other->GetComponent<RectCollider>()) {
                rect->SetSize(run.Uniform(30, 90), run.Uniform(10, 30));
            }
            break;
    }
}

TEST_F(RestRepeat, AFieldAtRestGivesTheSameFramesAsWorkingEveryFrameOut) {
    constexpr int kFrames = 400;
    FieldRun repeatedRun;
    const std::uint64_t before = DynamicBody2D::RepeatedFrames();
    constexpr int kWatchers = 300;
    const std::vector<std::string> repeated =
        Simulate(true, 8, 6, kFrames, repeatedRun, -1, kWatchers);
    const std::uint64_t repeats = DynamicBody2D::RepeatedFrames() - before;
    FieldRun workedRun;
    const std::vector<std::string> worked =
        Simulate(false, 8, 6, kFrames, workedRun, -1, kWatchers);
    EXPECT_EQ(DynamicBody2D::RepeatedFrames() - before, repeats) << "switched off, none repeat";
    for (int frame = 0; frame < kFrames; ++frame) {
        ASSERT_EQ(repeated[frame], worked[frame]) << "first difference in frame " << frame;
    }
    // Without repeats, or without hooks meddling, the comparison proves nothing.
    EXPECT_GT(repeats, 48u * kFrames / 5) << "most bodies should rest and repeat";
    EXPECT_GT(workedRun.perturbations, 20);
}

// Children added by a resting circle's contact hooks hear the rest of that collision pass, as
// when the frame is worked out.
TEST_F(RestRepeat, AChildAddedByAHookAtRestHearsTheRestOfThePass) {
    constexpr int kFrames = 260;
    constexpr int kEcho = 250;
    FieldRun repeatedRun;
    const std::vector<std::string> repeated =
        Simulate(true, 8, 6, kFrames, repeatedRun, -1, -1, kEcho);
    FieldRun workedRun;
    const std::vector<std::string> worked =
        Simulate(false, 8, 6, kFrames, workedRun, -1, -1, kEcho);
    EXPECT_GT(repeatedRun.repeats[kEcho - 1], 12u) << "many circles should rest";
    EXPECT_GT(repeatedRun.echoes, 12);
    EXPECT_NE(repeated[kEcho].find(" heard "), std::string::npos);
    for (int frame = 0; frame < kFrames; ++frame) {
        ASSERT_EQ(repeated[frame], worked[frame]) << "first difference in frame " << frame;
    }
}

// A circle's new material is read by its next frame: none repeats a frame recorded before.
TEST_F(RestRepeat, ANewMaterialIsWorkedOutOnce) {
    constexpr int kFrames = 260;
    constexpr int kChange = 250;
    FieldRun run;
    Simulate(true, 8, 6, kFrames, run, kChange);
    EXPECT_GT(run.repeats[kChange - 1], 12u) << "many bodies should rest";
    EXPECT_EQ(run.repeats[kChange], 0u);
    EXPECT_GT(run.repeats[kFrames - 1], 12u) << "and rest again";
}

}  // namespace
}  // namespace PhysicsTest
