// Random scenes run with the contact broad phase and testing every pair must give the same
// placements, velocities and contact reports, bit for bit, frame by frame, while behaviours and
// contact hooks move, reshape, spawn and destroy entities behind the broad phase's back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "PhysicsTestSupport.h"
#include "engine/physics/ContactBroadPhase.h"
#include "tools/vela-run/FrameHashes.h"

namespace PhysicsTest {
namespace {

using Collision::ContactBroadPhase;

struct SceneRun {
    std::mt19937 random;
    std::string contacts;
    EntityList* roots = nullptr;
    int spawned = 0;

    float Uniform(float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(random);
    }
    bool Chance(float p) { return Uniform(0.0f, 1.0f) < p; }
};

void Reshape(Entity& entity, SceneRun& run) {
    if (auto* circle = entity.GetComponent<CircleCollider>()) {
        circle->SetRadius(run.Uniform(2, 40));
    } else if (auto* rect = entity.GetComponent<RectCollider>()) {
        rect->SetSize(run.Uniform(0, 150), run.Uniform(0, 80));
    }
}

Entity& Build(SceneRun& run, Entity* parent, const std::string& name, float spread, int kind);

// In Update, puts bodies that fell off the bottom back on top, so that contacts go on for the
// whole run; a wanderer also moves, sometimes jumps far, turns, rescales or reshapes. On a
// contact, logs it and now and then shoves, teleports or reshapes the other party, spawns a new
// body or destroys the other entity, all in the middle of the collision pass.
class Chaos : public VelaBehavior {
public:
    Chaos(Entity* owner, SceneRun* run, bool wanders)
        : VelaBehavior(owner), run_(run), wanders_(wanders) {}
    const char* GetTypeName() const override { return "Chaos"; }
    std::shared_ptr<Component> Clone(Entity* owner) const override {
        return std::make_shared<Chaos>(owner, run_, wanders_);
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
            Reshape(*GetOwner(), run);
        }
    }
    void OnCollision(Entity* const& other) override {
        SceneRun& run = *run_;
        run.contacts += GetOwner()->GetName() + "<" + other->GetName() + " ";
        Transform& t = other->GetTransform();
        if (run.Chance(0.05f)) {
            t.SetPosition(t.GetPosition() + Vector2(run.Uniform(-60, 60), run.Uniform(-60, 60)));
        }
        auto* body = other->GetComponent<DynamicBody2D>();
        if (run.Chance(0.02f) && body != nullptr) {
            body->SetVelocity({run.Uniform(-300, 300), run.Uniform(-300, 300)});
        }
        if (run.Chance(0.02f)) {
            Reshape(*other, run);
        }
        if (run.Chance(0.01f) && run.spawned < 40) {
            Entity& spawn = Build(run, nullptr, "S" + std::to_string(run.spawned++), 500.0f, 3);
            const Point2 here = GetTransform()->GetWorldPosition();
            spawn.GetTransform().SetPosition({here.x, here.y + 20.0f});
        }
        if (run.Chance(0.002f)) {
            other->Destroy();
        }
    }

private:
    SceneRun* run_;
    bool wanders_;
};

// An entity placed at random; `kind` bit 0 gives it a body that moves, bit 1 a circle rather
// than a rectangle, and -1 neither a collider nor a body.
Entity& Build(SceneRun& run, Entity* parent, const std::string& name, float spread, int kind) {
    auto entity = Entity::Create(name);
    if (parent != nullptr) {
        entity->GetTransform().SetParent(&parent->GetTransform());
    } else {
        run.roots->push_back(entity);
    }
    Transform& t = entity->GetTransform();
    t.SetPosition({run.Uniform(-spread, spread), run.Uniform(-spread, spread)});
    t.SetRotation(run.Chance(0.5f) ? run.Uniform(0, 360) : 0.0f);
    t.SetScale(run.Chance(0.3f) ? Vector2(run.Uniform(0.4f, 2), run.Uniform(0.4f, 2))
                                : Vector2(1, 1));
    if (kind < 0) {
        return *entity;
    }
    if ((kind & 2) != 0) {
        auto* shape = entity->AddComponent<CircleCollider>();
        shape->SetRadius(run.Uniform(4, 25));
        shape->SetMaterial(Material(run.Uniform(0, 1), run.Uniform(0, 2)));
    } else {
        entity->AddComponent<RectCollider>()->SetSize(run.Uniform(10, 160), run.Uniform(5, 60));
    }
    if ((kind & 1) != 0) {
        auto* body = entity->AddComponent<DynamicBody2D>();
        body->SetVelocity({run.Uniform(-100, 100), run.Uniform(-100, 100)});
        body->SetGravityScale(run.Uniform(0, 1.5f));
    } else {
        entity->AddComponent<StaticBody2D>();
    }
    entity->AddComponent<Chaos>(&run, run.Chance(0.15f));
    return *entity;
}

void BuildScene(SceneRun& run, int bodies, float spread) {
    for (int i = 0; i < bodies; ++i) {
        const bool dynamic = i % 2 == 0;
        const bool circle = run.Chance(dynamic ? 0.8f : 0.3f);
        Build(run, nullptr, "B" + std::to_string(i), spread, (dynamic ? 1 : 0) + (circle ? 2 : 0));
    }
    // Moving groups: the parents carry no body, their children (and grandchildren under a
    // stretched, turned parent, so sheared) collide.
    for (int g = 0; g < bodies / 20; ++g) {
        const std::string name = "G" + std::to_string(g);
        Entity& group = Build(run, nullptr, name, 400.0f, -1);
        group.GetTransform().SetRotation(run.Uniform(0, 360));
        group.GetTransform().SetScale({run.Uniform(0.5f, 2), run.Uniform(0.5f, 2)});
        group.AddComponent<Chaos>(&run, true);
        for (int c = 0; c < 4; ++c) {
            Entity& child = Build(run, &group, name + "." + std::to_string(c), 80.0f, 3 - c);
            if (c == 3) {
                Build(run, &child, name + ".3.0", 80.0f, 0);
            }
        }
    }
}

// Every entity's placement and body, exactly.
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

    // Per frame: the contact reports on the first line, then every entity.
    std::vector<std::string> Simulate(unsigned seed, int bodies, float spread, int frames,
                                      bool allPairs) {
        ContactBroadPhase::SetAllPairs(allPairs);
        SceneRun run;
        run.random.seed(seed);
        run.roots = &roots;
        BuildScene(run, bodies, spread);
        std::vector<std::string> dumps;
        for (int frame = 0; frame < frames; ++frame) {
            RunFrame();
            dumps.push_back(run.contacts + "\n");
            run.contacts.clear();
            for (const auto& root : roots) {
                Dump(*root, dumps.back());
            }
        }
        roots.clear();
        return dumps;
    }
};

// Sized so that the every-pair runs stay short under the sanitizers too: many bodies for a
// few frames, few bodies for many frames (grid repacks, long-lived stale listings), and
// everything heaped into a small area (many contacts, many hooks per frame).
TEST_F(BroadPhaseDifferential, SeededScenesMatchEveryPairTestedFrameByFrame) {
    const struct {
        unsigned seed;
        int bodies;
        float spread;
        int frames;
    } scenes[] = {{1, 180, 500.0f, 60}, {2, 50, 300.0f, 360}, {3, 120, 150.0f, 100}};
    for (const auto& s : scenes) {
        SCOPED_TRACE("seed " + std::to_string(s.seed));
        const std::vector<std::string> near = Simulate(s.seed, s.bodies, s.spread, s.frames, false);
        const std::vector<std::string> all = Simulate(s.seed, s.bodies, s.spread, s.frames, true);
        int contacts = 0;
        for (int frame = 0; frame < s.frames; ++frame) {
            ASSERT_EQ(near[frame], all[frame]) << "first difference in frame " << frame;
            contacts += static_cast<int>(
                std::count(all[frame].begin(), all[frame].begin() + all[frame].find('\n'), '<'));
        }
        EXPECT_GT(contacts, s.frames) << "without contacts it proves nothing";
    }
}

// The same scenes leave, frame by frame, the state they left when the fingerprint was
// recorded: storage and pass changes in the engine must keep every contact and every bit.
// FLEETWING_RECORD_FINGERPRINTS=1 writes the fingerprint afresh instead.
TEST_F(BroadPhaseDifferential, SeededScenesKeepTheirRecordedFrames) {
    const std::string path =
        FLEETWING_SOURCE_DIR "/tests/engine/physics/fixtures/broadphase.hashes";
    const struct {
        unsigned seed;
        int bodies;
        float spread;
        int frames;
    } scenes[] = {
        {1, 180, 500.0f, 60}, {2, 50, 300.0f, 360}, {3, 120, 150.0f, 100}, {4, 400, 900.0f, 40}};
    std::ostringstream lines;
    for (const auto& s : scenes) {
        const std::vector<std::string> dumps =
            Simulate(s.seed, s.bodies, s.spread, s.frames, false);
        for (std::size_t frame = 0; frame < dumps.size(); ++frame) {
            char line[64];
            std::snprintf(line, sizeof line, "%u %zu %016llx\n", s.seed, frame,
                          static_cast<unsigned long long>(VelaRun::Fnv1a64(dumps[frame])));
            lines << line;
        }
    }
    if (const char* record = std::getenv("FLEETWING_RECORD_FINGERPRINTS");
        record != nullptr && std::string(record) == "1") {
        std::ofstream(path, std::ios::trunc) << lines.str();
        GTEST_SKIP() << "recorded " << path;
    }
    std::ifstream in(path);
    ASSERT_TRUE(in) << path;
    std::istringstream actual(lines.str());
    std::string want;
    std::string got;
    while (std::getline(actual, got)) {
        ASSERT_TRUE(static_cast<bool>(std::getline(in, want))) << "the fingerprint is shorter";
        ASSERT_EQ(want, got) << "the first frame (seed, frame) that differs";
    }
    EXPECT_FALSE(static_cast<bool>(std::getline(in, want))) << "the fingerprint is longer";
}

}  // namespace
}  // namespace PhysicsTest
