// The update and draw passes over a 10,000-entity tree: 100 roots, 9 children each, 10
// grandchildren each; every other entity has a non-identity transform, and every entity has
// one behaviour with an update hook and a draw listener that reads the stack.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "engine/entity/Entity.h"
#include "engine/entity/EntityPasses.h"
#include "engine/entity/MatrixStack.h"
#include "engine/entity/Transform.h"
#include "engine/entity/VelaBehavior.h"

namespace {

using namespace VelaEngine;

constexpr int kRoots = 100;
constexpr int kChildren = 9;
constexpr int kGrandchildren = 10;
constexpr int kEntities = kRoots * (1 + kChildren * (1 + kGrandchildren));

class Spinner : public VelaBehavior {
public:
    explicit Spinner(Entity* owner) : VelaBehavior(owner) {
        owner->GetDrawListeners().Register(draw_);
    }
    const char* GetTypeName() const override { return "Spinner"; }
    std::shared_ptr<Component> Clone(Entity* owner) const override {
        return std::make_shared<Spinner>(owner);
    }
    void Update() override { ++ticks_; }
    float sink = 0.0f;

private:
    void OnDraw(const Events::EventBase&) { sink += MatrixStack::Get().GetCurrent().m[0][2]; }
    Events::ClassListener<Spinner> draw_{this, &Spinner::OnDraw};
    int ticks_ = 0;
};

std::shared_ptr<Entity> MakeEntity(int index) {
    auto entity = Entity::Create("E" + std::to_string(index));
    Transform& t = entity->GetTransform();
    t.SetScale({1.0f, 1.0f});
    if (index % 2 == 1) {
        t.SetPosition({static_cast<float>(index % 50), 3.0f});
        t.SetRotation(15.0f);
    }
    entity->AddComponent<Spinner>();
    return entity;
}

class World {
public:
    World() {
        if (!MatrixStack::Exists()) {
            MatrixStack::Create();
        }
        int index = 0;
        for (int r = 0; r < kRoots; ++r) {
            roots_.push_back(MakeEntity(index++));
            for (int c = 0; c < kChildren; ++c) {
                auto child = MakeEntity(index++);
                child->GetTransform().SetParent(&roots_.back()->GetTransform());
                for (int g = 0; g < kGrandchildren; ++g) {
                    MakeEntity(index++)->GetTransform().SetParent(&child->GetTransform());
                }
            }
        }
        for (const auto& root : roots_) {
            AwakeStartPass(*root);
        }
    }
    EntityList& Roots() { return roots_; }

private:
    EntityList roots_;
};

// Seconds per entity per pass (CPU), printed with an SI prefix: "25n" is 25 ns.
void PerEntity(benchmark::State& state) {
    state.counters["per_entity"] = benchmark::Counter(
        kEntities, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_UpdatePass(benchmark::State& state) {
    World world;
    for (auto _ : state) {
        MatrixStack::Get().Reset();
        for (const auto& root : world.Roots()) {
            UpdatePass(*root);
        }
    }
    PerEntity(state);
}
BENCHMARK(BM_UpdatePass)->Unit(benchmark::kMicrosecond);

void BM_DrawPass(benchmark::State& state) {
    World world;
    for (auto _ : state) {
        MatrixStack::Get().Reset();
        for (const auto& root : world.Roots()) {
            DrawPass(*root);
        }
    }
    PerEntity(state);
}
BENCHMARK(BM_DrawPass)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
