// The frame's passes over a root list, walked over the flat plan, against the per-entity
// passes walked root by root: on random trees whose listeners grow and shrink the tree, add
// listeners, move entities and mark them for removal in the middle of every pass, both must
// call the same listeners in the same order, with the same matrix to the bit and the same
// stack depth, frame after frame.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <utility>
#include <vector>

#include "EntityTestSupport.h"
#include "engine/entity/CanvasSpace.h"
#include "engine/entity/FramePasses.h"
#include "engine/physics/PhysicsComponents.h"
#include "engine/physics/RectCollider.h"
#include "engine/physics/StaticBody2D.h"

namespace EntityTest {
namespace {

struct TreeRun {
    std::mt19937 random;
    Log log;
    EntityList* roots = nullptr;
    int made = 0;
    // Once calm, the tree only gains candidates and loses entities: no new listeners to wake.
    bool calm = false;

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    float Between(float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(random);
    }
};

std::string Bits(const Matrix3x3& m) {
    std::string text;
    for (const auto& row : m.m) {
        for (const float value : row) {
            std::uint32_t bits = 0;
            std::memcpy(&bits, &value, sizeof bits);
            char word[12];
            std::snprintf(word, sizeof word, "%08x", bits);
            text += word;
        }
    }
    return text;
}

Entity& Grow(TreeRun& run, Entity* parent);

// A collider and a body make an entity one of the frame's collision candidates; a static body
// never moves, so the listeners' logs stay comparable.
void MakeCandidate(Entity& entity) {
    entity.AddComponent<StaticBody2D>();
    entity.AddComponent<Collision::RectCollider>();
}

// Every entity of the tree, in tree order.
void Collect(Entity& entity, std::vector<Entity*>& out) {
    out.push_back(&entity);
    for (const auto& child : entity.GetChildren()) {
        Collect(*child, out);
    }
}

Entity& Anyone(TreeRun& run) {
    std::vector<Entity*> all;
    for (const auto& root : *run.roots) {
        Collect(*root, all);
    }
    return *all[static_cast<std::size_t>(run.Below(static_cast<int>(all.size())))];
}

// Listens to every pass, logs what it sees and now and then changes the tree.
class Tracer : public VelaBehavior {
public:
    Tracer(Entity* owner, TreeRun* run) : VelaBehavior(owner), run_(run) {
        owner->GetPhysicsStepListeners().Register(step_);
        owner->GetCollisionEventListeners().Register(collision_);
        owner->GetDrawListeners().Register(draw_);
    }
    const char* GetTypeName() const override { return "Tracer"; }
    std::shared_ptr<Component> Clone(Entity* owner) const override {
        return std::make_shared<Tracer>(owner, run_);
    }
    void Awake() override { Seen("Awake"); }
    void Start() override { Seen("Start"); }
    void Update() override { Seen("Update"); }

private:
    void Seen(const char* pass) {
        const MatrixStack& stack = MatrixStack::Get();
        run_->log.push_back(GetOwner()->GetName() + ":" + pass + " " + Bits(stack.GetCurrent()) +
                            " " + std::to_string(stack.GetDepth()));
        Meddle();
    }
    void Meddle() {
        TreeRun& run = *run_;
        if (run.calm) {
            switch (run.Below(40)) {
                case 0:
                    MakeCandidate(Anyone(run));
                    break;
                case 1:
                    Anyone(run).Destroy();
                    break;
                default:
                    break;
            }
            return;
        }
        switch (run.Below(60)) {
            case 0:
                Grow(run, GetOwner());
                break;
            case 1:
                Grow(run, &Anyone(run));
                break;
            case 2:
                Grow(run, nullptr);
                break;
            case 3:
                Anyone(run).AddComponent<Tracer>(&run);
                break;
            case 4:
                Anyone(run).GetTransform().SetPosition(
                    {run.Between(-50, 50), run.Between(-50, 50)});
                break;
            case 5:
                Anyone(run).GetTransform().SetRotation(run.Between(0, 360));
                break;
            case 6:
                if (Transform* parent = GetTransform()->GetParent()) {
                    parent->SetScale({run.Between(0.5f, 2), run.Between(0.5f, 2)});
                }
                break;
            case 7:
                Anyone(run).Destroy();
                break;
            case 8:
                MakeCandidate(Anyone(run));
                break;
            default:
                break;
        }
    }
    void OnStep(const Events::EventBase&) { Seen("Step"); }
    void OnCollisions(const Events::EventBase& event) {
        const auto& collisions = static_cast<const Events::CollisionEvent&>(event);
        std::string names;
        for (const Entity* candidate : collisions.candidates) {
            names += " " + candidate->GetName();
        }
        run_->log.push_back(GetOwner()->GetName() + ":candidates" + names);
        Seen("Collision");
    }
    void OnDraw(const Events::EventBase&) { Seen("Draw"); }

    TreeRun* run_;
    Events::ClassListener<Tracer> step_{this, &Tracer::OnStep};
    Events::ClassListener<Tracer> collision_{this, &Tracer::OnCollisions};
    Events::ClassListener<Tracer> draw_{this, &Tracer::OnDraw};
};

// A canvas that puts its subtree in camera space with a fixed camera.
class FakeCanvas : public Component, public ICanvasSpace {
public:
    explicit FakeCanvas(Entity* owner) : Component(owner) {}
    const char* GetTypeName() const override { return "FakeCanvas"; }
    std::shared_ptr<Component> Clone(Entity* owner) const override {
        return std::make_shared<FakeCanvas>(owner);
    }
    bool GetCameraInverse(Matrix3x3& cameraInverse) override {
        cameraInverse = Matrix3x3::FromTRS({-120.0f, 35.5f}, 0.0f, {1.0f, 1.0f});
        return true;
    }
};

// A new entity under `parent` (a new root when null): placed at random, sometimes left at the
// identity, sometimes a canvas, mostly traced.
Entity& Grow(TreeRun& run, Entity* parent) {
    auto entity = Entity::Create("E" + std::to_string(run.made++));
    Entity& made = *entity;
    if (parent != nullptr) {
        entity->GetTransform().SetParent(&parent->GetTransform());
    } else {
        run.roots->push_back(entity);
    }
    if (run.Below(4) != 0) {
        Transform& t = made.GetTransform();
        t.SetPosition({run.Between(-200, 200), run.Between(-200, 200)});
        t.SetRotation(run.Below(2) == 0 ? run.Between(0, 360) : 0.0f);
        t.SetScale({run.Between(0.5f, 2), run.Between(0.5f, 2)});
    }
    if (run.Below(10) == 0) {
        made.AddComponent<FakeCanvas>();
    }
    if (run.Below(4) == 0) {
        MakeCandidate(made);
    }
    if (run.Below(3) != 0) {
        made.AddComponent<Tracer>(&run);
    }
    return made;
}

class FramePasses : public EntityWorld {
protected:
    // `plan` chooses the frame's passes over the plan, otherwise the per-entity passes. The
    // plan's frames keep their candidate list from frame to frame, as the scene's do.
    Log Simulate(unsigned seed, int frames, bool plan) {
        FrameCandidates kept;
        TreeRun run;
        run.random.seed(seed);
        run.roots = &roots;
        for (int i = 0; i < 6; ++i) {
            Entity& root = Grow(run, nullptr);
            for (int j = 0; j < 5; ++j) {
                Grow(run, run.Below(2) == 0 ? &root : &Anyone(run));
            }
        }
        // Roots alone, which may gain children in their own calls.
        for (int i = 0; i < 6; ++i) {
            Grow(run, nullptr);
        }
        for (int frame = 0; frame < frames; ++frame) {
            run.calm = frame >= frames / 2;
            run.log.push_back("frame " + std::to_string(frame));
            if (plan) {
                MatrixStack::Get().Reset();
                Events::CollisionEvent event;
                kept.GatherInto(roots, HasColliderAndBody, event);
                RunRootPasses(roots, HasColliderAndBody, event);
                kept.KeepFrom(event);
                RemoveDestroyed(roots);
                EXPECT_EQ(MatrixStack::Get().GetDepth(), 0u);
            } else {
                MatrixStack::Get().Reset();
                RunFrame();
            }
        }
        roots.clear();
        return run.log;
    }
};

TEST_F(FramePasses, CallTheSameListenersWithTheSameMatricesAsThePerEntityPasses) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const Log reference = Simulate(seed, 16, false);
        const Log planned = Simulate(seed, 16, true);
        ASSERT_GT(reference.size(), 200u) << "too little happened to prove anything";
        const std::size_t common = std::min(reference.size(), planned.size());
        for (std::size_t i = 0; i < common; ++i) {
            ASSERT_EQ(reference[i], planned[i]) << "first difference at line " << i;
        }
        ASSERT_EQ(reference.size(), planned.size());
    }
}

// Resets the stack in its entity's update, or shows a matrix of its own there as a resting
// body's repeat does, then notes what its entity's step finds there.
class StackResetter : public Component {
public:
    StackResetter(Entity* owner, bool load) : Component(owner), load_(load) {
        owner->GetUpdateListeners().Register(update_);
        owner->GetPhysicsStepListeners().Register(step_);
    }
    const char* GetTypeName() const override { return "StackResetter"; }
    std::shared_ptr<Component> Clone(Entity* owner) const override {
        return std::make_shared<StackResetter>(owner, load_);
    }
    Matrix3x3 stepMatrix;
    std::size_t stepDepth = 0;

private:
    void OnUpdate(const Events::EventBase&) {
        if (load_) {
            MatrixStack::Get().Load(Matrix3x3::FromTRS({7.0f, 9.0f}, 0.0f, {1.0f, 1.0f}), 3);
        } else {
            MatrixStack::Get().Reset();
        }
    }
    void OnStep(const Events::EventBase&) {
        stepMatrix = MatrixStack::Get().GetCurrent();
        stepDepth = MatrixStack::Get().GetDepth();
    }
    bool load_;
    Events::ClassListener<StackResetter> update_{this, &StackResetter::OnUpdate};
    Events::ClassListener<StackResetter> step_{this, &StackResetter::OnStep};
};

TEST_F(FramePasses, AListenerThatResetsOrLoadsTheStackLeavesTheNextPassItsEntitysPlacement) {
    for (const bool load : {false, true}) {
        SCOPED_TRACE(load ? "load" : "reset");
        Entity& root = Place(AddRoot("Root"), {30.0f, -12.0f}, 40.0f, {2.0f, 0.5f});
        auto* resetter = root.AddComponent<StackResetter>(load);
        for (int frame = 0; frame < 3; ++frame) {
            SCOPED_TRACE("frame " + std::to_string(frame));
            MatrixStack::Get().Reset();
            Events::CollisionEvent event;
            AwakeStartAndGather(roots, HasColliderAndBody, event.candidates);
            RunRootPasses(roots, HasColliderAndBody, event);
            EXPECT_EQ(Bits(resetter->stepMatrix), Bits(root.GetTransform().GetWorldMatrix()));
            EXPECT_EQ(resetter->stepDepth, 1u);
            EXPECT_EQ(Bits(MatrixStack::Get().GetCurrent()), Bits(Matrix3x3::Identity()));
            EXPECT_EQ(MatrixStack::Get().GetDepth(), 0u);
        }
        roots.clear();
    }
}

}  // namespace
}  // namespace EntityTest
