// The physics-step and collision passes for N dynamic circles and N static rectangles, each
// its own root, as a scene holds them. Every circle rests on its own rectangle, so each frame
// has N contacts. The broad phase leaves each body only the candidates near it, so the cost
// grows about linearly with N (every body against every candidate took 229-283 ms a frame
// at N = 1,000).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/Time.h"
#include "engine/entity/CollisionEvents.h"
#include "engine/entity/Entity.h"
#include "engine/entity/EntityPasses.h"
#include "engine/entity/MatrixStack.h"
#include "engine/entity/Transform.h"
#include "engine/physics/CircleCollider.h"
#include "engine/physics/CollisionCandidates.h"
#include "engine/physics/DynamicBody2D.h"
#include "engine/physics/Physics.h"
#include "engine/physics/RectCollider.h"
#include "engine/physics/StaticBody2D.h"

namespace {

using namespace VelaEngine;

constexpr float kSpacing = 100.0f;

void StartServices() {
    if (Time::Exists()) {
        return;
    }
    Time::Create();
    Time::Get().SetFrameRate(60);
    Time::Get().FrameStart();
    Physics::Create();
    Physics::Get().Init(Vector2(0.0f, -200.0f));
    MatrixStack::Create();
}

std::shared_ptr<Entity> MakeRoot(const std::string& name, float x, float y) {
    auto entity = Entity::Create(name);
    entity->GetTransform().SetPosition({x, y});
    entity->GetTransform().SetScale({1.0f, 1.0f});
    return entity;
}

class World {
public:
    explicit World(int n) {
        StartServices();
        const int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(n))));
        for (int i = 0; i < n; ++i) {
            const float x = static_cast<float>(i % columns) * kSpacing;
            const float y = static_cast<float>(i / columns) * kSpacing;
            auto floor = MakeRoot("Floor" + std::to_string(i), x, y);
            floor->AddComponent<StaticBody2D>();
            floor->AddComponent<Collision::RectCollider>()->SetSize(60.0f, 20.0f);
            roots_.push_back(floor);
            // Five units into the reach of the floor's top face.
            auto ball = MakeRoot("Ball" + std::to_string(i), x, y + 15.0f);
            ball->AddComponent<Collision::CircleCollider>()->SetRadius(10.0f);
            ball->AddComponent<DynamicBody2D>();
            roots_.push_back(ball);
        }
        for (const auto& root : roots_) {
            GatherPhysicsCandidates(*root, event_.candidates);
        }
    }

    void StepPass() {
        MatrixStack::Get().Reset();
        for (const auto& root : roots_) {
            PhysicsStepPass(*root);
        }
    }
    void CollisionPass() {
        MatrixStack::Get().Reset();
        for (const auto& root : roots_) {
            VelaEngine::CollisionPass(*root, event_);
        }
    }
    // Both passes root by root, in the scene's frame order.
    void Frame() {
        MatrixStack::Get().Reset();
        for (const auto& root : roots_) {
            PhysicsStepPass(*root);
            VelaEngine::CollisionPass(*root, event_);
        }
    }

private:
    EntityList roots_;
    Events::CollisionEvent event_;
};

void BM_PhysicsFrame(benchmark::State& state) {
    World world(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        world.Frame();
    }
}
BENCHMARK(BM_PhysicsFrame)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_StepPass(benchmark::State& state) {
    World world(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        world.StepPass();
    }
}
BENCHMARK(BM_StepPass)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_CollisionPass(benchmark::State& state) {
    World world(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        // A body answered as the other party skips its own test until it steps again.
        state.PauseTiming();
        world.StepPass();
        state.ResumeTiming();
        world.CollisionPass();
    }
}
BENCHMARK(BM_CollisionPass)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// The usual table, then milliseconds per frame and how each pass grows from N = 100 to 1,000.
class GrowthReporter : public benchmark::ConsoleReporter {
public:
    // Plain text: the table's colour codes would run into the lines printed after it.
    GrowthReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration) {
                continue;
            }
            // Times are in the benchmark's unit, milliseconds.
            const std::string name = run.run_name.function_name;
            const std::string n = run.run_name.args;
            ms_[name][n] = run.GetAdjustedCPUTime();
            std::printf("%s N=%s: %.3f ms per frame (CPU)\n", name.c_str(), n.c_str(),
                        run.GetAdjustedCPUTime());
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const auto& [name, byN] : ms_) {
            const auto small = byN.find("100");
            const auto large = byN.find("1000");
            if (small == byN.end() || large == byN.end() || small->second <= 0.0) {
                continue;
            }
            const double ratio = large->second / small->second;
            // Cost ∝ N^k: k is 1 for linear growth, 2 for quadratic.
            std::printf("%s: N x10 costs x%.1f, growth ~ N^%.2f\n", name.c_str(), ratio,
                        std::log10(ratio));
        }
    }

private:
    std::map<std::string, std::map<std::string, double>> ms_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    GrowthReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
