// Loading a generated 10,000-entity scene, beside merely reading the same file and splitting
// it into lines (the floor any loader stands on).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/scene/Resources.h"
#include "engine/scene/Scene.h"

namespace {

constexpr int kRoots = 100;
constexpr int kChildren = 99;  // 100 roots with 99 children each: 10,000 entities

std::string MakeSceneText() {
    std::ostringstream text;
    text << "/ generated: " << kRoots * (kChildren + 1) << " entities\n";
    for (int r = 0; r < kRoots; ++r) {
        text << "Entity\tRoot" << r << "\tgroup\n\tt\t" << r * 10 << ",0\n\tr\t0\n\ts\t1,1\n";
        for (int c = 0; c < kChildren; ++c) {
            text << "\tEntity\tChild" << c << "\n\t\tt\t" << c << "," << -c << "\n\t\tr\t"
                 << (c % 4) * 90 << "\n\t\ts\t1,1\n";
        }
    }
    return text.str();
}

struct Fixture {
    Fixture() {
        char pattern[] = "/tmp/fleetwing-bench-XXXXXX";
        folder = mkdtemp(pattern);
        std::filesystem::create_directories(folder + "/scenes");
        path = folder + "/scenes/big.scene";
        std::ofstream(path) << MakeSceneText();
        VelaEngine::Resources::Create();
        VelaEngine::Resources::Get().Init(folder, nullptr);
    }
    ~Fixture() {
        VelaEngine::Resources::Release();
        std::filesystem::remove_all(folder);
    }
    std::string folder;
    std::string path;
};

Fixture& GetFixture() {
    static Fixture fixture;
    return fixture;
}

void BM_ReadAndSplitLines(benchmark::State& state) {
    const std::string& path = GetFixture().path;
    for (auto _ : state) {
        std::ifstream in(path);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            lines.push_back(std::move(line));
        }
        benchmark::DoNotOptimize(lines.data());
    }
    state.counters["entities_per_s"] =
        benchmark::Counter(kRoots * (kChildren + 1), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ReadAndSplitLines)->Unit(benchmark::kMillisecond);

void BM_LoadScene(benchmark::State& state) {
    GetFixture();
    // The loader logs two lines per load; keep them off the table.
    std::ofstream nowhere("/dev/null");
    std::streambuf* console = std::cout.rdbuf(nowhere.rdbuf());
    for (auto _ : state) {
        auto scene =
            VelaEngine::Resources::Get().Get<VelaEngine::SceneManagement::Scene>("scenes/big");
        benchmark::DoNotOptimize(scene.get());
        // Releasing the scene is a scene change's work, not loading's.
        state.PauseTiming();
        scene.reset();
        VelaEngine::Resources::Get().UnloadUnused();
        state.ResumeTiming();
    }
    std::cout.rdbuf(console);
    state.counters["entities_per_s"] =
        benchmark::Counter(kRoots * (kChildren + 1), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_LoadScene)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
