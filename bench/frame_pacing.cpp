// Frame pacing and processor use of the real game: its own start-up, the real wall clock and
// the engine's frame-rate cap, in one scene for a stretch of seconds. Reports the mean and
// 99th-percentile interval between presented frames, and the process's processor time (all
// threads, then the main thread and the others apart) as a share of one core over wall time.
//   frame_pacing [--scene=scenes/menu] [--seconds=20] [--warmup=1] [--window] [benchmark flags]
// --window starts windowed at the game's 1600x900 instead of full screen: a display smaller
// than that (the offscreen driver's is 1024x768) would letterbox a smaller picture.
// --bare-replay is the floor under a scene's frame: the game runs as measured, keeping the GL
// commands of every frame it shows, then those frames (the same quads, shaders, textures and
// buffers, in the same order) are drawn and swapped at most every 1/60 s by a loop that does
// nothing else and sleeps between frames. It reports the same figures, named
// FramePacing/bare/<scene>.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "engine/core/FrontEnd.h"
#include "game/GameStart.h"
#include "platform/EBGfxRecorder.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Settings {
    std::string scene = "scenes/menu";
    double seconds = 20.0;
    double warmup = 1.0;
    bool fullscreen = true;
    bool bareReplay = false;
};

// CPU seconds of the whole process or of the calling thread; the frame hooks run on the main
// thread, so the other threads' share (the GL driver's, the mixer's) is the difference.
double CpuSeconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

double Percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    const size_t index = static_cast<size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

struct Figures {
    std::vector<double> intervals;
    double cpu = 0.0;
    double mainCpu = 0.0;
    double wall = 0.0;
};

void Report(benchmark::State& state, const Figures& f) {
    double sum = 0.0;
    for (double v : f.intervals) {
        sum += v;
    }
    state.SetIterationTime(f.wall);
    const double frames = static_cast<double>(f.intervals.size());
    state.counters["frames"] = frames;
    state.counters["mean_ms"] = sum / frames;
    state.counters["p99_ms"] = Percentile(f.intervals, 0.99);
    state.counters["max_ms"] = *std::max_element(f.intervals.begin(), f.intervals.end());
    state.counters["cpu_pct"] = 100.0 * f.cpu / f.wall;
    state.counters["cpu_ms_per_frame"] = 1000.0 * f.cpu / frames;
    state.counters["main_thread_pct"] = 100.0 * f.mainCpu / f.wall;
    state.counters["other_threads_pct"] = 100.0 * (f.cpu - f.mainCpu) / f.wall;
}

// The game through its warm-up and the measured seconds, each shown frame's commands kept
// (and the GPU objects they name kept alive); then those frames drawn again in order by a
// loop that sleeps until one period after each frame's start.
void BareReplay(benchmark::State& state, const Settings settings) {
    for (auto _ : state) {
        VelaEngine::FrameHooks hooks;
        Clock::time_point started{};
        std::vector<std::vector<EBInternal::GlCommand>> frames;
        unsigned shown = EBInternal::FramesShown();
        EBInternal::KeepFreedObjects(true);
        hooks.afterPresent = [&](unsigned frame) {
            const Clock::time_point now = Clock::now();
            if (frame == 1) {
                started = now;
            }
            const double sinceStart = std::chrono::duration<double>(now - started).count();
            const bool drawn = EBInternal::FramesShown() != shown;
            shown = EBInternal::FramesShown();
            if (sinceStart >= settings.warmup && drawn) {
                frames.push_back(EBInternal::ShownCommands());
            }
            if (sinceStart >= settings.warmup + settings.seconds) {
                VelaEngine::FrontEnd::Get().Quit();
            }
        };
        VelaEngine::FrontEnd::Get().SetFrameHooks(hooks);
        VelaEngine::FrontEnd::Get().Run();
        if (frames.empty()) {
            state.SkipWithError("the game drew no frame to replay");
            return;
        }
        const auto period = std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double, std::milli>(1000.0 / 60.0));
        Figures f;
        Clock::time_point lastSwap{};
        const Clock::time_point windowStart = Clock::now();
        const double cpuStart = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
        const double mainStart = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
        for (const std::vector<EBInternal::GlCommand>& frame : frames) {
            const Clock::time_point frameStart = Clock::now();
            EBInternal::DrawAndShow(frame);
            const Clock::time_point swapped = Clock::now();
            if (lastSwap != Clock::time_point{}) {
                f.intervals.push_back(
                    std::chrono::duration<double, std::milli>(swapped - lastSwap).count());
            }
            lastSwap = swapped;
            std::this_thread::sleep_until(frameStart + period);
        }
        EBInternal::KeepFreedObjects(false);
        f.wall = std::chrono::duration<double>(lastSwap - windowStart).count();
        f.cpu = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart;
        f.mainCpu = CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - mainStart;
        if (f.intervals.empty()) {
            state.SkipWithError("no frame was replayed");
            return;
        }
        Report(state, f);
    }
}

void CappedFrames(benchmark::State& state, const Settings settings) {
    for (auto _ : state) {
        std::vector<double> intervals;
        Clock::time_point started{};
        Clock::time_point windowStart{};
        Clock::time_point lastPresent{};
        bool measuring = false;
        double cpuStart = 0.0;
        double mainStart = 0.0;
        double cpu = 0.0;
        double mainCpu = 0.0;
        double wall = 0.0;

        VelaEngine::FrameHooks hooks;
        hooks.afterPresent = [&](unsigned frame) {
            const Clock::time_point now = Clock::now();
            if (frame == 1) {
                started = now;
            }
            const double sinceStart = std::chrono::duration<double>(now - started).count();
            if (!measuring && sinceStart >= settings.warmup) {
                measuring = true;
                windowStart = now;
                cpuStart = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
                mainStart = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
            } else if (measuring) {
                intervals.push_back(
                    std::chrono::duration<double, std::milli>(now - lastPresent).count());
            }
            lastPresent = now;
            if (measuring && sinceStart >= settings.warmup + settings.seconds) {
                wall = std::chrono::duration<double>(now - windowStart).count();
                cpu = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart;
                mainCpu = CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - mainStart;
                VelaEngine::FrontEnd::Get().Quit();
            }
        };
        VelaEngine::FrontEnd::Get().SetFrameHooks(hooks);
        VelaEngine::FrontEnd::Get().Run();
        if (intervals.empty() || wall <= 0.0) {
            state.SkipWithError("the loop ended before the measuring window");
            return;
        }
        Report(state, Figures{std::move(intervals), cpu, mainCpu, wall});
    }
}

Settings ReadSettings(int argc, char** argv) {
    Settings settings;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--scene=", 0) == 0) {
            settings.scene = arg.substr(8);
        } else if (arg.rfind("--seconds=", 0) == 0) {
            settings.seconds = std::atof(arg.c_str() + 10);
        } else if (arg.rfind("--warmup=", 0) == 0) {
            settings.warmup = std::atof(arg.c_str() + 9);
        } else if (arg == "--window") {
            settings.fullscreen = false;
        } else if (arg == "--bare-replay") {
            settings.bareReplay = true;
        } else {
            std::cerr << "frame_pacing: unknown option " << arg << "\n";
            std::exit(2);
        }
    }
    return settings;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const Settings settings = ReadSettings(argc, argv);
    // The game's own start, as its entry does it; the first scene is the one measured.
    std::ofstream nowhere("/dev/null");
    std::streambuf* console = std::cout.rdbuf(nowhere.rdbuf());
    Game::StartOptions start;
    start.seed = static_cast<uint32_t>(std::time(nullptr));
    start.fullscreen = settings.fullscreen;
    start.firstScene = settings.scene;
    Game::StartGame(start);

    // One run: the loop can be quit only once per engine.
    const std::string name =
        (settings.bareReplay ? "FramePacing/bare/" : "FramePacing/") + settings.scene;
    benchmark::RegisterBenchmark(name.c_str(), settings.bareReplay ? BareReplay : CappedFrames,
                                 settings)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kSecond);
    std::ostream table(console);
    benchmark::ConsoleReporter reporter;
    reporter.SetOutputStream(&table);
    reporter.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    Game::EndGame();
    std::cout.rdbuf(console);
    return 0;
}
