// Loading every shipped scene and a generated 10,000-entity scene through the real loader,
// each beside merely reading the same file and splitting it into lines (the floor any loader
// stands on). The engine runs for real (offscreen GL, dummy sound), so sprites become
// textures and sounds are decoded; each scene is loaded once before timing and kept alive, so
// the timed loads find its sprites and sounds cached. Each timed copy is released, from the
// cache too, outside the timing, and the heap keeps freed memory for the next iteration.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/scene/Resources.h"
#include "engine/scene/Scene.h"
#include "game/GameStart.h"

namespace {

namespace fs = std::filesystem;
using VelaEngine::SceneManagement::Scene;

constexpr int kRoots = 100;
constexpr int kChildren = 99;  // 100 roots with 99 children each: 10,000 entities
constexpr const char* kGeneratedName = "scenes/generated10k";

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

// An asset folder that is the shipped one (linked entry by entry) plus the generated scene.
std::string MakeAssetFolder(const fs::path& shipped) {
    char pattern[] = "/tmp/fleetwing-loading-XXXXXX";
    const fs::path folder = mkdtemp(pattern);
    for (const fs::directory_entry& entry : fs::directory_iterator(shipped)) {
        if (entry.path().filename() != "scenes") {
            fs::create_directory_symlink(fs::absolute(entry.path()),
                                         folder / entry.path().filename());
        }
    }
    fs::create_directories(folder / "scenes");
    for (const fs::directory_entry& entry : fs::directory_iterator(shipped / "scenes")) {
        fs::create_symlink(fs::absolute(entry.path()), folder / "scenes" / entry.path().filename());
    }
    std::ofstream(folder / (std::string(kGeneratedName) + ".scene")) << MakeSceneText();
    return folder.string();
}

std::vector<std::string> ShippedSceneNames(const fs::path& shipped) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(shipped / "scenes")) {
        if (entry.path().extension() == ".scene") {
            names.push_back("scenes/" + entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ScenePath(const std::string& name) {
    return VelaEngine::Resources::Get().GetAssetPath() + "/" + name + ".scene";
}

std::shared_ptr<Scene> LoadQuietly(const std::string& name) {
    return VelaEngine::Resources::Get().Get<Scene>(name);
}

void ReadAndSplitLines(benchmark::State& state, const std::string& name) {
    const std::string path = ScenePath(name);
    size_t bytes = 0;
    for (auto _ : state) {
        std::ifstream in(path);
        std::vector<std::string> lines;
        bytes = 0;
        for (std::string line; std::getline(in, line);) {
            bytes += line.size() + 1;
            lines.push_back(std::move(line));
        }
        benchmark::DoNotOptimize(lines.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

void LoadScene(benchmark::State& state, const std::string& name) {
    // The first load decodes the scene's sprites and sounds; keeping it keeps them cached.
    std::shared_ptr<Scene> warm = LoadQuietly(name);
    for (auto _ : state) {
        std::shared_ptr<Scene> scene = LoadQuietly(name);
        benchmark::DoNotOptimize(scene.get());
        // Releasing the scene is a scene change's work, not loading's: the cache holds it
        // too, and the next load would otherwise destroy it when it takes its place.
        state.PauseTiming();
        scene.reset();
        VelaEngine::Resources::Get().UnloadUnused();
        state.ResumeTiming();
    }
    warm.reset();
    VelaEngine::Resources::Get().UnloadUnused();
}

void RegisterScene(const std::string& name) {
    const std::string shortName = name.substr(name.find('/') + 1);
    benchmark::RegisterBenchmark(("SceneLoad/Lines/" + shortName).c_str(), ReadAndSplitLines, name)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("SceneLoad/Vela/" + shortName).c_str(), LoadScene, name)
        ->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    // The heap keeps what an iteration frees: otherwise whichever row runs while the heap's
    // top is free pays, every iteration, for handing memory back and faulting it in again
    // (the reading row measured 1 ms or 15 ms by the rows that ran before it).
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const fs::path shipped = "assets";
    const std::string folder = MakeAssetFolder(shipped);
    // Start-up and loader lines would bury the figures.
    std::ofstream nowhere("/dev/null");
    std::streambuf* console = std::cout.rdbuf(nowhere.rdbuf());
    Game::StartOptions start;
    start.assets = folder;
    start.firstScene = "scenes/splash";
    Game::StartGame(start);
    for (const std::string& name : ShippedSceneNames(shipped)) {
        RegisterScene(name);
    }
    RegisterScene(kGeneratedName);
    // The loader logs on every load: the table goes to the real standard output instead.
    std::ostream table(console);
    benchmark::ConsoleReporter reporter;
    reporter.SetOutputStream(&table);
    reporter.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    fs::remove_all(folder);
    Game::EndGame();
    std::cout.rdbuf(console);
    return 0;
}
