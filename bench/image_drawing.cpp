// Drawing offscreen: the draw pass over 1,000 tinted images (half textured, each entity
// moved and turned) under a camera-space canvas, finished with glFinish so the GPU work
// counts; and one frame's update of 5,000 particles.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "engine/core/Clock.h"
#include "engine/core/Random.h"
#include "engine/core/Time.h"
#include "engine/entity/Entity.h"
#include "engine/entity/EntityPasses.h"
#include "engine/entity/MatrixStack.h"
#include "engine/entity/SceneRoots.h"
#include "engine/entity/Transform.h"
#include "engine/graphics/Camera.h"
#include "engine/graphics/Canvas.h"
#include "engine/graphics/Display.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/graphics/Sprite.h"
#include "platform/EBGraphics.h"
#include "platform/EBImageFile.h"
#include "platform/EBSystem.h"

namespace {

using namespace VelaEngine;

constexpr int kImages = 1000;
constexpr uint32_t kParticles = 5000;

void StartServices() {
    if (Display::Exists()) {
        return;
    }
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    Display::Create();
    Display::Get().Init("bench", false, true, false, Vector2(1600.0f, 900.0f), nullptr);
    MatrixStack::Create();
    Random::Create();
    Time::Create();
}

std::shared_ptr<Graphics::Sprite> MakeSprite() {
    std::vector<unsigned char> rgba(32 * 32 * 4, 200);
    const char* path = "/tmp/fleetwing-bench-sprite.png";
    EBImageSavePNG(path, rgba.data(), 32, 32);
    return std::make_shared<Graphics::Sprite>(path);
}

void BM_DrawPassOfImages(benchmark::State& state) {
    StartServices();
    EntityList roots;
    SetSceneRoots(&roots);
    roots.push_back(Entity::Create("View"));
    roots.back()->GetTransform().SetScale(Vector2(1.0f, 1.0f));
    roots.back()->GetTransform().SetPosition(Vector2(30.0f, 10.0f));
    roots.back()->AddComponent<Camera>();
    roots.push_back(Entity::Create("World"));
    Entity& world = *roots.back();
    world.GetTransform().SetScale(Vector2(1.0f, 1.0f));
    world.AddComponent<Graphics::Canvas>();
    const std::shared_ptr<Graphics::Sprite> sprite = MakeSprite();
    for (int i = 0; i < kImages; ++i) {
        auto entity = Entity::Create("I");
        entity->GetTransform().SetPosition(Vector2(static_cast<float>(i % 40) * 40.0f - 800.0f,
                                                   static_cast<float>(i / 40) * 36.0f - 450.0f));
        entity->GetTransform().SetRotation(static_cast<float>(i));
        entity->GetTransform().SetScale(Vector2(1.0f, 1.0f));
        entity->AddComponent<Graphics::Image>()->Set(30.0f, 30.0f, i % 2 == 0 ? sprite : nullptr,
                                                     Graphics::Color(1.0f, 0.5f, 0.5f, 0.8f), false,
                                                     false);
        entity->GetTransform().SetParent(&world.GetTransform());
    }
    for (auto _ : state) {
        EBSysFrameStart();
        for (const auto& root : roots) {
            DrawPass(*root);
        }
        unsigned char pixel[4];
        EBGfxReadPixels(0, 0, 1, 1, pixel);  // waits for the GPU
        benchmark::DoNotOptimize(pixel[0]);
    }
    state.SetItemsProcessed(state.iterations() * kImages);
    SetSceneRoots(nullptr);
}
BENCHMARK(BM_DrawPassOfImages)->Unit(benchmark::kMicrosecond);

void BM_ParticleUpdate(benchmark::State& state) {
    StartServices();
    static FixedStepClock clock;
    SetClock(&clock);
    Time::Get().SetFrameRate(60);
    Time::Get().FrameStart();
    auto entity = Entity::Create("Sparks");
    auto* system = entity->AddComponent<Graphics::ParticleSystem>();
    // They outlive every measured frame, so each update moves the same count.
    system->Emit(kParticles, 10.0f, 50.0f, 1.0e9f, 8.0f, 0.0f, nullptr, Vector2(0.0f, -9.8f));
    for (auto _ : state) {
        entity->GetUpdateListeners().Invoke(Events::EmptyEvent());
    }
    benchmark::DoNotOptimize(system->GetParticles().front().position.x);
    state.SetItemsProcessed(state.iterations() * kParticles);
}
BENCHMARK(BM_ParticleUpdate)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
