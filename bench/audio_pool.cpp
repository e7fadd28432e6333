// The audio manager on the dummy device: starting a sound in the pool, the drop when all 36
// channels are busy, a master volume change over a full pool, and decoding a clip.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "engine/audio/AudioClip.h"
#include "engine/audio/AudioManager.h"
#include "tests/support/SoundFiles.h"

using VelaEngine::Audio::AudioClip;
using VelaEngine::Audio::AudioManager;

namespace {

TestSupport::TempFolder g_folder;

std::unique_ptr<AudioClip> MakeClip(int milliseconds) {
    return std::make_unique<AudioClip>(
        TestSupport::WriteToneWav(g_folder.File("bench.wav"), milliseconds));
}

bool HaveSound(benchmark::State& state) {
    if (AudioManager::Get().GetSystem() == nullptr) {
        state.SkipWithError("no audio device");
        return false;
    }
    return true;
}

void FillPool(const AudioClip& clip) {
    while (AudioManager::Get().Play(clip, 0.5f, true, nullptr) >= 0) {
    }
}

// Each iteration starts one sound; the pool is emptied (by releasing the clip) whenever full.
void BM_PlayIntoFreeSlot(benchmark::State& state) {
    if (!HaveSound(state)) {
        return;
    }
    std::unique_ptr<AudioClip> clip = MakeClip(1000);
    for (auto _ : state) {
        if (AudioManager::Get().Play(*clip, 0.5f, false, nullptr) < 0) {
            state.PauseTiming();
            clip = MakeClip(1000);
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_PlayIntoFreeSlot);

void BM_PlayDroppedWhenAllBusy(benchmark::State& state) {
    if (!HaveSound(state)) {
        return;
    }
    std::unique_ptr<AudioClip> clip = MakeClip(100);
    FillPool(*clip);
    for (auto _ : state) {
        benchmark::DoNotOptimize(AudioManager::Get().Play(*clip, 1.0f, false, nullptr));
    }
}
BENCHMARK(BM_PlayDroppedWhenAllBusy);

void BM_SetVolumeOverFullPool(benchmark::State& state) {
    if (!HaveSound(state)) {
        return;
    }
    std::unique_ptr<AudioClip> clip = MakeClip(100);
    FillPool(*clip);
    float volume = 0.0f;
    for (auto _ : state) {
        volume = volume > 0.9f ? 0.0f : volume + 0.1f;
        AudioManager::Get().SetVolume(volume);
    }
}
BENCHMARK(BM_SetVolumeOverFullPool);

// Whole-file decoding of a one-second 22 kHz mono WAV into the device's format.
void BM_DecodeOneSecondClip(benchmark::State& state) {
    if (!HaveSound(state)) {
        return;
    }
    const std::string path = TestSupport::WriteToneWav(g_folder.File("second.wav"), 1000);
    for (auto _ : state) {
        AudioClip clip(path);
        benchmark::DoNotOptimize(clip.GetSound());
    }
}
BENCHMARK(BM_DecodeOneSecondClip)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    AudioManager::Create();
    AudioManager::Get().Init();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    AudioManager::Release();
    return 0;
}
