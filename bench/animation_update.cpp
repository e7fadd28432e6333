// The animation players' share of a frame: 1,000 animated entities, each with a looping
// 8-keyframe clip and two components, where every due keyframe is applied again each frame.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/animation/Animation.h"
#include "engine/core/Clock.h"
#include "engine/core/Time.h"
#include "engine/entity/Entity.h"
#include "engine/scene/FieldMap.h"

using namespace VelaEngine;

namespace {

// Does what a cheap instruction handler does when the state is already set: compare only.
class Sink : public Component {
public:
    Sink(Entity* owner, const char* typeName) : Component(owner), typeName_(typeName) {}
    const char* GetTypeName() const override { return typeName_; }
    void ApplyInstruction(const std::string& instruction) override {
        if (instruction != shown_) {
            shown_ = instruction;
        }
    }
    std::shared_ptr<Component> Clone(Entity* owner) const override {
        return std::make_shared<Sink>(owner, typeName_);
    }

private:
    const char* typeName_;
    std::string shown_;
};

std::string ClipText() {
    std::string text = "2";
    for (int i = 0; i < 8; ++i) {
        text += "\t" + std::to_string(i * 0.25) + "\tImage\tsprite:sprites/gameplay/frame" +
                std::to_string(i);
    }
    return text;
}

void BM_AnimationFrame(benchmark::State& state) {
    FixedStepClock clock;
    SetClock(&clock);
    Time::Create();
    Time::Get().SetFrameRate(60);
    FieldMap fields;
    fields.Set("loop", "t");
    fields.Set("clip", ClipText());
    std::vector<std::shared_ptr<Entity>> entities;
    for (int i = 0; i < state.range(0); ++i) {
        auto entity = Entity::Create("Animated");
        entity->AddComponent<Sink>("Image");
        entity->AddComponent<Sink>("Collider");
        entity->AddComponent<Mecanim::Animation>()->Deserialize(fields);
        entities.push_back(std::move(entity));
    }
    for (auto _ : state) {
        Time::Get().FrameStart();
        for (const auto& entity : entities) {
            entity->GetUpdateListeners().Invoke(Events::EmptyEvent());
        }
        Time::Get().FrameEnd();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    entities.clear();
    Time::Release();
    SetClock(nullptr);
}
BENCHMARK(BM_AnimationFrame)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
