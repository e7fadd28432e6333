// Frame pacing and processor use of the real game: its own start-up, the real wall clock and
// the engine's frame-rate cap, in one scene for a stretch of seconds. Reports the mean and
// 99th-percentile interval between presented frames, and the process's processor time (all
// threads, then the main thread and the others apart) as a share of one core over wall time.
//   frame_pacing [--scene=scenes/menu] [--seconds=20] [--warmup=1] [benchmark flags]
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/core/FrontEnd.h"
#include "game/GameStart.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Settings {
    std::string scene = "scenes/menu";
    double seconds = 20.0;
    double warmup = 1.0;
};

double Seconds(const timeval& t) {
    return t.tv_sec + t.tv_usec / 1e6;
}

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
}

// User plus system time of one thread, from its /proc stat line (clock ticks).
double ThreadCpuSeconds(const std::string& tid) {
    std::ifstream in("/proc/self/task/" + tid + "/stat");
    std::string line;
    std::getline(in, line);
    const size_t close = line.rfind(')');
    if (close == std::string::npos) {
        return 0.0;
    }
    std::istringstream fields(line.substr(close + 2));
    std::string field;
    double ticks = 0.0;
    for (int index = 0; index <= 12 && fields >> field; ++index) {
        if (index == 11 || index == 12) {  // utime, stime
            ticks += std::strtod(field.c_str(), nullptr);
        }
    }
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

struct ThreadSplit {
    double main = 0.0;
    double others = 0.0;
};

ThreadSplit ThreadCpu() {
    ThreadSplit split;
    const std::string self = std::to_string(getpid());
    DIR* tasks = opendir("/proc/self/task");
    if (tasks == nullptr) {
        return split;
    }
    while (const dirent* entry = readdir(tasks)) {
        const std::string tid = entry->d_name;
        if (tid == "." || tid == "..") {
            continue;
        }
        (tid == self ? split.main : split.others) += ThreadCpuSeconds(tid);
    }
    closedir(tasks);
    return split;
}

double Percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    const size_t index = static_cast<size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

void CappedFrames(benchmark::State& state, const Settings settings) {
    for (auto _ : state) {
        std::vector<double> intervals;
        Clock::time_point started{};
        Clock::time_point windowStart{};
        Clock::time_point lastPresent{};
        bool measuring = false;
        double cpuStart = 0.0;
        ThreadSplit threadsStart;
        double cpu = 0.0;
        ThreadSplit threads;
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
                cpuStart = ProcessCpuSeconds();
                threadsStart = ThreadCpu();
            } else if (measuring) {
                intervals.push_back(
                    std::chrono::duration<double, std::milli>(now - lastPresent).count());
            }
            lastPresent = now;
            if (measuring && sinceStart >= settings.warmup + settings.seconds) {
                wall = std::chrono::duration<double>(now - windowStart).count();
                cpu = ProcessCpuSeconds() - cpuStart;
                const ThreadSplit end = ThreadCpu();
                threads.main = end.main - threadsStart.main;
                threads.others = end.others - threadsStart.others;
                VelaEngine::FrontEnd::Get().Quit();
            }
        };
        VelaEngine::FrontEnd::Get().SetFrameHooks(hooks);
        VelaEngine::FrontEnd::Get().Run();
        if (intervals.empty() || wall <= 0.0) {
            state.SkipWithError("the loop ended before the measuring window");
            return;
        }
        double sum = 0.0;
        for (double v : intervals) {
            sum += v;
        }
        state.SetIterationTime(wall);
        state.counters["frames"] = static_cast<double>(intervals.size());
        state.counters["mean_ms"] = sum / static_cast<double>(intervals.size());
        state.counters["p99_ms"] = Percentile(intervals, 0.99);
        state.counters["max_ms"] = *std::max_element(intervals.begin(), intervals.end());
        state.counters["cpu_pct"] = 100.0 * cpu / wall;
        state.counters["main_thread_pct"] = 100.0 * threads.main / wall;
        state.counters["other_threads_pct"] = 100.0 * threads.others / wall;
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
    start.fullscreen = true;
    start.firstScene = settings.scene;
    Game::StartGame(start);

    // One run: the loop can be quit only once per engine.
    benchmark::RegisterBenchmark(("FramePacing/" + settings.scene).c_str(), CappedFrames, settings)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kSecond);
    std::ostream table(console);
    benchmark::ConsoleReporter reporter;
    reporter.SetOutputStream(&table);
    reporter.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::cout.rdbuf(console);
    return 0;
}
