// Reading and writing an animation clip's text: a 40-keyframe clip, the size of a long
// hand-written sprite sequence.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/animation/AnimationClip.h"

using VelaEngine::Mecanim::AnimationClip;

namespace {

std::string LongClipText() {
    std::string text = "4";
    for (int i = 0; i < 40; ++i) {
        text += "\t" + std::to_string(i * 0.1) + "\tImage\tsprite:sprites/gameplay/frame" +
                std::to_string(i);
    }
    return text;
}

void BM_ReadClip(benchmark::State& state) {
    const std::string text = LongClipText();
    for (auto _ : state) {
        AnimationClip clip;
        clip.Deserialize(text);
        benchmark::DoNotOptimize(clip.GetKeyframes().data());
    }
}
BENCHMARK(BM_ReadClip);

void BM_WriteClip(benchmark::State& state) {
    AnimationClip clip;
    clip.Deserialize(LongClipText());
    for (auto _ : state) {
        benchmark::DoNotOptimize(clip.Serialize());
    }
}
BENCHMARK(BM_WriteClip);

}  // namespace

BENCHMARK_MAIN();
