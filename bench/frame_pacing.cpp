// Frame pacing of the real main loop: 600 capped frames offscreen with the wall clock, the
// engine's frame-rate cap doing the waiting. Reports the mean and 99th-percentile interval
// between frame ends and the process's CPU time as a share of wall time.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "engine/core/FrontEnd.h"
#include "game/GameStart.h"

namespace {

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void StartEngineOnce() {
    if (VelaEngine::FrontEnd::Exists()) {
        return;
    }
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    // Pacing is the loop's, whatever the scene: an empty one keeps the figure about the cap.
    char pattern[] = "/tmp/fleetwing-pacing-XXXXXX";
    static const std::string assets = mkdtemp(pattern);
    std::filesystem::create_directories(assets + "/scenes");
    std::ofstream(assets + "/scenes/empty.scene") << "/ nothing\n";
    Game::StartOptions start;
    start.assets = assets;
    start.firstScene = "scenes/empty";
    Game::StartGame(start);
}

void BM_CappedFrames(benchmark::State& state) {
    StartEngineOnce();
    constexpr unsigned kFrames = 600;
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        std::vector<double> intervals;
        intervals.reserve(kFrames);
        Clock::time_point last{};
        VelaEngine::FrameHooks hooks;
        hooks.afterFrame = [&](unsigned frame) {
            const Clock::time_point now = Clock::now();
            if (frame > 1) {
                intervals.push_back(std::chrono::duration<double, std::milli>(now - last).count());
            }
            last = now;
            if (frame >= kFrames) {
                VelaEngine::FrontEnd::Get().Quit();
            }
        };
        VelaEngine::FrontEnd::Get().SetFrameHooks(hooks);
        const double cpuStart = CpuSeconds();
        const Clock::time_point wallStart = Clock::now();
        VelaEngine::FrontEnd::Get().Run();
        const double wall = std::chrono::duration<double>(Clock::now() - wallStart).count();
        const double cpu = CpuSeconds() - cpuStart;

        std::sort(intervals.begin(), intervals.end());
        double sum = 0.0;
        for (double v : intervals) {
            sum += v;
        }
        state.counters["mean_ms"] = sum / intervals.size();
        state.counters["p99_ms"] = intervals[intervals.size() * 99 / 100];
        state.counters["max_ms"] = intervals.back();
        state.counters["cpu_share_pct"] = 100.0 * cpu / wall;
    }
}
// One run: the loop can be quit only once per engine.
BENCHMARK(BM_CappedFrames)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
