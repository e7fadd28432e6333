// One frame of N dynamic circles falling through N static, tilted rectangles, in our engine
// and in Box2D 2.4's b2World::Step with the same bodies. Ours runs the scene's real frame
// (time, the awake/start pass and candidate gathering, then update, physics step, collision
// and draw root by root, end-of-frame removal); there is no window, so no clear, swap,
// input, sound or frame-rate wait, and nothing to draw. Circles that leave the bottom are put
// back on top by a behaviour (ours) or right after the step (Box2D), so both keep meeting
// rectangles. Box2D lets a body that comes to rest on a rectangle fall asleep, as it does by
// default, and then skips it: its "awake" counter says how many were awake at the end, which
// depends on how many frames the run took. FramePile times the worst case of the contact
// pass, many bodies piled at one point.
#include <benchmark/benchmark.h>
#include <box2d/box2d.h>

#include <malloc.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/core/Clock.h"
#include "engine/core/Time.h"
#include "engine/entity/CollisionEvents.h"
#include "engine/entity/Entity.h"
#include "engine/entity/EntityPasses.h"
#include "engine/entity/EntityStorage.h"
#include "engine/entity/FramePasses.h"
#include "engine/entity/MatrixStack.h"
#include "engine/entity/Transform.h"
#include "engine/entity/VelaBehavior.h"
#include "engine/physics/CircleCollider.h"
#include "engine/physics/DynamicBody2D.h"
#include "engine/physics/Physics.h"
#include "engine/physics/PhysicsComponents.h"
#include "engine/physics/RectCollider.h"
#include "engine/physics/StaticBody2D.h"

namespace {

using namespace VelaEngine;

// World units (pixels); Box2D gets them in metres at 20 units a metre, gravity included.
constexpr float kSpacing = 100.0f;
constexpr float kRadius = 10.0f;
constexpr float kRectW = 60.0f;
constexpr float kRectH = 20.0f;
constexpr float kTilt = 25.0f;
constexpr float kGravity = -200.0f;
constexpr float kMetresPerUnit = 1.0f / 20.0f;
constexpr float kDegreesToRadians = 0.017453292f;
constexpr int kWarmUpFrames = 120;
// Both engines are timed over the same frames after the warm-up. Box2D's cost hangs on how
// many of its bodies sleep, which changes as the frames go by: frames counted by the
// benchmark library, which runs more of them on a faster machine, would tie the comparison to
// the machine.
constexpr int kTimedFrames = 1000;

// Where the rectangles and circles sit: a staggered grid, tilted alternately left and right,
// with one circle starting above each rectangle.
struct Layout {
    explicit Layout(int n)
        : count(n),
          columns(static_cast<int>(std::ceil(std::sqrt(static_cast<double>(n))))),
          rows((n + columns - 1) / columns) {}
    float X(int i) const {
        const int row = i / columns;
        return static_cast<float>(i % columns) * kSpacing + (row % 2 == 0 ? 0.0f : kSpacing / 2);
    }
    float Y(int i) const { return -static_cast<float>(i / columns) * kSpacing; }
    float Tilt(int i) const { return (i % 2 == 0) ? kTilt : -kTilt; }
    float Bottom() const { return -static_cast<float>(rows + 1) * kSpacing; }
    float Top() const { return kSpacing; }

    int count;
    int columns;
    int rows;
};

// Puts its circle back on top once it has fallen past the last row, at rest.
class Recycle : public VelaBehavior {
public:
    Recycle(Entity* owner, const Layout& layout, DynamicBody2D* body, int* contacts)
        : VelaBehavior(owner), layout_(layout), body_(body), contacts_(contacts) {}
    const char* GetTypeName() const override { return "Recycle"; }
    std::shared_ptr<Component> Clone(Entity* owner) const override {
        return std::make_shared<Recycle>(owner, layout_, nullptr, contacts_);
    }
    void Update() override {
        Transform& transform = *GetTransform();
        if (transform.GetPosition().y < layout_.Bottom()) {
            transform.SetPosition({transform.GetPosition().x, layout_.Top()});
            body_->SetVelocity({});
        }
    }
    void OnCollision(Entity* const&) override { ++*contacts_; }

private:
    const Layout& layout_;
    DynamicBody2D* body_;
    int* contacts_;
};

std::shared_ptr<Entity> MakeRoot(const std::string& name, float x, float y, float rotation) {
    auto entity = Entity::Create(name);
    entity->GetTransform().SetPosition({x, y});
    entity->GetTransform().SetRotation(rotation);
    entity->GetTransform().SetScale({1.0f, 1.0f});
    return entity;
}

void StartServices() {
    if (Time::Exists()) {
        return;
    }
    // Every frame lasts exactly 1/60 s, however long the benchmark takes over it.
    static FixedStepClock clock;
    SetClock(&clock);
    Time::Create();
    Time::Get().SetFrameRate(60);
    Physics::Create();
    Physics::Get().Init(Vector2(0.0f, kGravity));
    MatrixStack::Create();
}

// The scene's frame as the scene manager runs it, without a click.
void RunFrame(EntityList& roots) {
    Time::Get().FrameStart();
    MatrixStack::Get().Reset();
    static FrameCandidates candidates;
    Events::CollisionEvent event;
    candidates.GatherInto(roots, HasColliderAndBody, event);
    RunRootPasses(roots, HasColliderAndBody, event);
    candidates.KeepFrom(event);
    RemoveDestroyed(roots);
    Time::Get().FrameEnd();
}

class VelaScene {
public:
    explicit VelaScene(int n) : layout_(n) {
        StartServices();
        for (int i = 0; i < n; ++i) {
            auto rect =
                MakeRoot("Rect" + std::to_string(i), layout_.X(i), layout_.Y(i), layout_.Tilt(i));
            rect->AddComponent<StaticBody2D>();
            rect->AddComponent<Collision::RectCollider>()->SetSize(kRectW, kRectH);
            roots_.push_back(rect);
            auto ball =
                MakeRoot("Ball" + std::to_string(i), layout_.X(i), layout_.Y(i) + 40.0f, 0.0f);
            ball->AddComponent<Collision::CircleCollider>()->SetRadius(kRadius);
            auto* body = ball->AddComponent<DynamicBody2D>();
            ball->AddComponent<Recycle>(layout_, body, &contacts_);
            roots_.push_back(ball);
        }
    }

    void Frame() { RunFrame(roots_); }
    int TakeContacts() {
        const int contacts = contacts_;
        contacts_ = 0;
        return contacts;
    }

private:
    Layout layout_;
    int contacts_ = 0;
    EntityList roots_;
};

class Box2DScene {
public:
    explicit Box2DScene(int n) : layout_(n), world_(b2Vec2(0.0f, kGravity * kMetresPerUnit)) {
        b2PolygonShape box;
        box.SetAsBox(kRectW * 0.5f * kMetresPerUnit, kRectH * 0.5f * kMetresPerUnit);
        b2CircleShape circle;
        circle.m_radius = kRadius * kMetresPerUnit;
        for (int i = 0; i < n; ++i) {
            b2BodyDef rectDef;
            rectDef.type = b2_staticBody;
            rectDef.position.Set(layout_.X(i) * kMetresPerUnit, layout_.Y(i) * kMetresPerUnit);
            rectDef.angle = layout_.Tilt(i) * kDegreesToRadians;
            world_.CreateBody(&rectDef)->CreateFixture(&box, 0.0f);
            b2BodyDef ballDef;
            ballDef.type = b2_dynamicBody;
            ballDef.position.Set(layout_.X(i) * kMetresPerUnit,
                                 (layout_.Y(i) + 40.0f) * kMetresPerUnit);
            b2Body* ball = world_.CreateBody(&ballDef);
            ball->CreateFixture(&circle, 1.0f);
            balls_.push_back(ball);
        }
    }

    void Frame() {
        world_.Step(1.0f / 60.0f, 8, 3);
        const float bottom = layout_.Bottom() * kMetresPerUnit;
        for (b2Body* ball : balls_) {
            const b2Vec2 position = ball->GetPosition();
            if (position.y < bottom) {
                ball->SetTransform(b2Vec2(position.x, layout_.Top() * kMetresPerUnit), 0.0f);
                ball->SetLinearVelocity(b2Vec2(0.0f, 0.0f));
            }
        }
    }
    int AwakeBalls() const {
        int awake = 0;
        for (const b2Body* ball : balls_) {
            awake += ball->IsAwake() ? 1 : 0;
        }
        return awake;
    }
    int TouchingContacts() {
        int touching = 0;
        for (b2Contact* contact = world_.GetContactList(); contact != nullptr;
             contact = contact->GetNext()) {
            touching += contact->IsTouching() ? 1 : 0;
        }
        return touching;
    }

private:
    Layout layout_;
    b2World world_;
    std::vector<b2Body*> balls_;
};

void BM_Vela(benchmark::State& state, int n) {
    // The memory the scene holds once its frames run: entities, components, the frame's plan
    // and the broad phase, on the heap and in the entity store.
    const std::size_t heapBefore = mallinfo2().uordblks + EntityStorage::LiveBytes();
    VelaScene scene(n);
    for (int i = 0; i < kWarmUpFrames; ++i) {
        scene.Frame();
    }
    const std::size_t heapAfter = mallinfo2().uordblks + EntityStorage::LiveBytes();
    scene.TakeContacts();
    for (auto _ : state) {
        scene.Frame();
    }
    // Each contact reaches both parties' hooks; only circles count them, once or twice.
    state.counters["contacts/frame"] = benchmark::Counter(
        static_cast<double>(scene.TakeContacts()) / static_cast<double>(state.iterations()));
    state.counters["bytes/entity"] =
        benchmark::Counter(static_cast<double>(heapAfter - heapBefore) / (2.0 * n));
}

// Dynamic circles all at one point: every one touches every other. The first body answers a
// contact with each of the others, which then stand resolved for the frame; all stop and fall
// together, so the pile stays at one point frame after frame.
void BM_Pile(benchmark::State& state, int n) {
    StartServices();
    EntityList roots;
    for (int i = 0; i < n; ++i) {
        auto ball = MakeRoot("Ball" + std::to_string(i), 0.0f, 0.0f, 0.0f);
        ball->AddComponent<Collision::CircleCollider>()->SetRadius(kRadius);
        ball->AddComponent<DynamicBody2D>();
        roots.push_back(ball);
    }
    RunFrame(roots);
    for (auto _ : state) {
        RunFrame(roots);
    }
}

void BM_Box2D(benchmark::State& state, int n) {
    Box2DScene scene(n);
    for (int i = 0; i < kWarmUpFrames; ++i) {
        scene.Frame();
    }
    for (auto _ : state) {
        scene.Frame();
    }
    state.counters["contacts/frame"] = benchmark::Counter(scene.TouchingContacts());
    // Resting bodies fall asleep in Box2D and cost next to nothing.
    state.counters["awake"] = benchmark::Counter(scene.AwakeBalls());
}

// The frames `--probe` times, as one function that callgrind can be told to count alone
// (tools/frame-instructions.sh).
[[gnu::noinline]] void ProbedFrames(VelaScene& scene, int frames) {
    for (int i = 0; i < frames; ++i) {
        scene.Frame();
    }
}

// `--probe N [WARM [FRAMES]] [--no-repeat]`: our scene alone, WARM frames (300), then FRAMES
// more (10) through ProbedFrames; prints their wall time per frame. `--no-repeat` works every
// frame out.
int Probe(int argc, char** argv) {
    std::vector<int> numbers;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-repeat") == 0) {
            DynamicBody2D::SetRepeatAtRest(false);
        } else {
            numbers.push_back(std::atoi(argv[i]));
        }
    }
    const int n = numbers.empty() ? 0 : numbers[0];
    const int warm = numbers.size() > 1 ? numbers[1] : 300;
    const int frames = numbers.size() > 2 ? numbers[2] : 10;
    if (n <= 0 || warm < 0 || frames <= 0 || numbers.size() > 3) {
        std::fprintf(stderr, "usage: frame_cost --probe N [WARM [FRAMES]] [--no-repeat]\n");
        return 2;
    }
    VelaScene scene(n);
    for (int i = 0; i < warm; ++i) {
        scene.Frame();
    }
    const std::uint64_t repeatedBefore = DynamicBody2D::RepeatedFrames();
    const auto start = std::chrono::steady_clock::now();
    ProbedFrames(scene, frames);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    const auto repeated = static_cast<double>(DynamicBody2D::RepeatedFrames() - repeatedBefore);
    std::printf("N=%d frames %d-%d: %.4f ms a frame, %.0f bodies a frame at rest\n", n, warm,
                warm + frames - 1, took.count() / frames, repeated / frames);
    return 0;
}

void Register() {
    for (int n : {100, 1000, 5000, 20000}) {
        benchmark::RegisterBenchmark(("FrameCost/Vela/" + std::to_string(n)).c_str(), BM_Vela, n)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(kTimedFrames)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("FrameCost/Box2D/" + std::to_string(n)).c_str(), BM_Box2D, n)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(kTimedFrames)
            ->UseRealTime();
    }
    benchmark::RegisterBenchmark("FramePile/Vela/500", BM_Pile, 500)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--probe") == 0) {
        return Probe(argc, argv);
    }
    Register();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
