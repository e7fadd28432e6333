// Random scenes run twice, once with the contact broad phase and once testing every pair,
// must give the same positions, velocities and contact reports, bit for bit, frame by frame.
// The scenes move things behind the broad phase's back: behaviours moving and reshaping
// entities in Update, parents carrying children (sheared ones too), contact hooks shoving,
// teleporting, spawning and destroying entities mid-pass.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>

#include "PhysicsTestSupport.h"
#include "engine/physics/ContactBroadPhase.h"

namespace PhysicsTest {
namespace {

using Collision::ContactBroadPhase;

struct SceneRun {
    std::mt19937 random;
    std::string contacts;
    EntityList* roots = nullptr;
    float spread = 500.0f;
    int spawned = 0;

    float Uniform(float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(random);
    }
    bool Chance(float p) { return Uniform(0.0f, 1.0f) < p; }
};

// Puts bodies that fell off the bottom back on top, so that contacts go on for the whole run;
// a wanderer also moves, sometimes jumps far, turns, rescales or resizes its collider.
class Churn : public VelaBehavior {
public:
    Churn(Entity* owner, SceneRun* run, bool wanders)
        : VelaBehavior(owner), run_(run), wanders_(wanders) {}
    const char* GetTypeName() const override { return "Churn"; }
    std::shared_ptr<Component> Clone(Entity* owner) const override {
        return std::make_shared<Churn>(owner, run_, wanders_);
    }
    void Update() override {
        Transform& t = *GetTransform();
        SceneRun& run = *run_;
        if (t.GetPosition().y < -700.0f) {
            t.SetPosition({run.Uniform(-500, 500), 600.0f});
        }
        if (!wanders_) {
            return;
        }
        t.SetPosition(t.GetPosition() + Vector2(run.Uniform(-4, 4), run.Uniform(-4, 4)));
        if (run.Chance(0.02f)) {
            t.SetPosition({run.Uniform(-500, 500), run.Uniform(-500, 500)});
        }
        if (run.Chance(0.1f)) {
            t.SetRotation(t.GetRotation() + run.Uniform(-30, 30));
        }
        if (run.Chance(0.03f)) {
            t.SetScale({run.Uniform(0.3f, 2.0f), run.Uniform(0.3f, 2.0f)});
        }
        if (run.Chance(0.03f)) {
            if (auto* circle = GetOwner()->GetComponent<CircleCollider>()) {
                circle->SetRadius(run.Uniform(2, 40));
            } else if (auto* rect = GetOwner()->GetComponent<RectCollider>()) {
                rect->SetSize(run.Uniform(0, 150), run.Uniform(0, 80));
            }
        }
    }

private:
    SceneRun* run_;
    bool wanders_;
};

Entity& Build(SceneRun& run, Entity* parent, const std::string& name, bool dynamic, bool circle);

// Logs every contact; now and then shoves, teleports or reshapes the other party, spawns a
// new body or destroys the other entity, all in the middle of the collision pass.
class Hook : public VelaBehavior {
public:
    Hook(Entity* owner, SceneRun* run) : VelaBehavior(owner), run_(run) {}
    const char* GetTypeName() const override { return "Hook"; }
    std::shared_ptr<Component> Clone(Entity* owner) const override {
        return std::make_shared<Hook>(owner, run_);
    }
    void OnCollision(Entity* const& other) override {
        SceneRun& run = *run_;
        run.contacts += GetOwner()->GetName() + "<" + other->GetName() + " ";
        Transform& t = other->GetTransform();
        if (run.Chance(0.05f)) {
            t.SetPosition(t.GetPosition() + Vector2(run.Uniform(-60, 60), run.Uniform(-60, 60)));
        }
        if (run.Chance(0.02f)) {
            if (auto* body = other->GetComponent<DynamicBody2D>()) {
                body->SetVelocity({run.Uniform(-300, 300), run.Uniform(-300, 300)});
            }
        }
        if (run.Chance(0.02f)) {
            if (auto* circle = other->GetComponent<CircleCollider>()) {
                circle->SetRadius(run.Uniform(2, 40));
            }
        }
        if (run.Chance(0.01f) && run.spawned < 40) {
            Entity& spawn = Build(run, nullptr, "S" + std::to_string(run.spawned++), true, true);
            const Point2 here = GetTransform()->GetWorldPosition();
            spawn.GetTransform().SetPosition({here.x, here.y + 20.0f});
        }
        if (run.Chance(0.002f)) {
            other->Destroy();
        }
    }

private:
    SceneRun* run_;
};

Entity& Build(SceneRun& run, Entity* parent, const std::string& name, bool dynamic, bool circle) {
    auto entity = Entity::Create(name);
    if (parent != nullptr) {
        entity->GetTransform().SetParent(&parent->GetTransform());
    } else {
        run.roots->push_back(entity);
    }
    const float spread = parent != nullptr ? 80.0f : run.spread;
    Transform& t = entity->GetTransform();
    t.SetPosition({run.Uniform(-spread, spread), run.Uniform(-spread, spread)});
    t.SetRotation(run.Chance(0.5f) ? run.Uniform(0, 360) : 0.0f);
    t.SetScale(run.Chance(0.3f) ? Vector2(run.Uniform(0.4f, 2), run.Uniform(0.4f, 2))
                                : Vector2(1, 1));
    if (circle) {
        auto* shape = entity->AddComponent<CircleCollider>();
        shape->SetRadius(run.Uniform(4, 25));
        shape->SetMaterial(Material(run.Uniform(0, 1), run.Uniform(0, 2)));
    } else {
        entity->AddComponent<RectCollider>()->SetSize(run.Uniform(10, 160), run.Uniform(5, 60));
    }
    if (dynamic) {
        auto* body = entity->AddComponent<DynamicBody2D>();
        body->SetVelocity({run.Uniform(-100, 100), run.Uniform(-100, 100)});
        body->SetGravityScale(run.Uniform(0, 1.5f));
    } else {
        entity->AddComponent<StaticBody2D>();
    }
    entity->AddComponent<Hook>(&run);
    entity->AddComponent<Churn>(&run, run.Chance(0.15f));
    return *entity;
}

void BuildScene(SceneRun& run, int bodies) {
    for (int i = 0; i < bodies; ++i) {
        const bool dynamic = i % 2 == 0;
        Build(run, nullptr, "B" + std::to_string(i), dynamic,
              dynamic ? run.Chance(0.8f) : run.Chance(0.3f));
    }
    // Moving groups: the parents carry no body, their children (and grandchildren under a
    // stretched, turned parent, so sheared) collide.
    for (int g = 0; g < bodies / 20; ++g) {
        auto group = Entity::Create("G" + std::to_string(g));
        run.roots->push_back(group);
        group->GetTransform().SetPosition({run.Uniform(-400, 400), run.Uniform(-400, 400)});
        group->GetTransform().SetRotation(run.Uniform(0, 360));
        group->GetTransform().SetScale({run.Uniform(0.5f, 2), run.Uniform(0.5f, 2)});
        group->AddComponent<Churn>(&run, true);
        for (int c = 0; c < 4; ++c) {
            const std::string name = "G" + std::to_string(g) + "." + std::to_string(c);
            Entity& child = Build(run, group.get(), name, c % 2 == 0, c < 2);
            if (c == 3) {
                Build(run, &child, name + ".0", false, false);
            }
        }
    }
}

// Every entity's placement and body, exactly, then the frame's contact reports.
void Dump(Entity& entity, std::string& out) {
    char line[256];
    const Transform& t = entity.GetTransform();
    std::snprintf(line, sizeof line, "%s %a %a %a %a %a", entity.GetName().c_str(),
                  t.GetPosition().x, t.GetPosition().y, t.GetRotation(), t.GetScale().x,
                  t.GetScale().y);
    out += line;
    if (const auto* body = entity.GetComponent<DynamicBody2D>()) {
        std::snprintf(line, sizeof line, " v %a %a %d", body->GetVelocity().x,
                      body->GetVelocity().y, body->IsResolvedThisFrame() ? 1 : 0);
        out += line;
    }
    out += "\n";
    for (const auto& child : entity.GetChildren()) {
        Dump(*child, out);
    }
}

class BroadPhaseDifferential : public PhysicsWorld {
protected:
    void TearDown() override {
        ContactBroadPhase::SetAllPairs(false);
        PhysicsWorld::TearDown();
    }

    std::vector<std::string> Simulate(unsigned seed, int bodies, float spread, int frames,
                                      bool allPairs) {
        ContactBroadPhase::SetAllPairs(allPairs);
        roots.clear();
        SceneRun run;
        run.random.seed(seed);
        run.roots = &roots;
        run.spread = spread;
        BuildScene(run, bodies);
        std::vector<std::string> dumps;
        for (int frame = 0; frame < frames; ++frame) {
            RunFrame();
            std::string dump = run.contacts + "\n";
            run.contacts.clear();
            for (const auto& root : roots) {
                Dump(*root, dump);
            }
            dumps.push_back(std::move(dump));
        }
        roots.clear();
        return dumps;
    }

    void ExpectSame(unsigned seed, int bodies, float spread, int frames) {
        const std::vector<std::string> near = Simulate(seed, bodies, spread, frames, false);
        const std::vector<std::string> all = Simulate(seed, bodies, spread, frames, true);
        int contacts = 0;
        for (int frame = 0; frame < frames; ++frame) {
            ASSERT_EQ(near[frame], all[frame])
                << "seed " << seed << ", first difference in frame " << frame;
            contacts += static_cast<int>(
                std::count(all[frame].begin(), all[frame].begin() + all[frame].find('\n'), '<'));
        }
        // A scene without contacts would prove nothing.
        EXPECT_GT(contacts, frames) << "seed " << seed;
    }
};

// Sized so that the every-pair runs stay short under the sanitizers too: many bodies for a
// few frames, few bodies for many frames (grid repacks, long-lived stale listings).
TEST_F(BroadPhaseDifferential, ManyMovingBodiesMatchEveryPairTested) {
    ExpectSame(1, 180, 500.0f, 60);
}

TEST_F(BroadPhaseDifferential, ALongRunMatchesEveryPairTested) {
    ExpectSame(2, 50, 300.0f, 360);
}

TEST_F(BroadPhaseDifferential, CrowdedSceneMatchesEveryPairTested) {
    // Everything heaped into a small area: many contacts, many hooks per frame.
    ExpectSame(3, 120, 150.0f, 100);
}

}  // namespace
}  // namespace PhysicsTest
