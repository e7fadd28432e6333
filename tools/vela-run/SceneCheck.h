#pragma once
// `vela-run --check`: every scene read as the game reads it, every problem reported.
#include <string>
#include <vector>

#include "tools/vela-run/RunOptions.h"

namespace VelaRun {

struct SceneProblem {
    std::string file;  // the scene file, as the loader names it
    int line = 0;      // 0: the file as a whole
    std::string message;
};

// "FILE:LINE: MESSAGE", or "FILE: MESSAGE" for a problem of the whole file.
std::string Describe(const SceneProblem& problem);

// Scene names ("scenes/level1") of every .scene file under `assets`, sorted.
std::vector<std::string> ScenesUnder(const std::string& assets);

// Loads each scene of `options.checkScenes` (all under the asset folder when empty) with the
// game's factories, its sprites and sounds resolved, and returns every problem found.
std::vector<SceneProblem> CheckScenes(const RunOptions& options);

// The same for one scene while the game runs (its services exist); the running scene and the
// game's failure handling are left as they were.
std::vector<SceneProblem> CheckRunningScene(const std::string& assets, const std::string& scene);

// Prints the problems and a summary; 0 when there are none, 1 otherwise.
int RunCheck(const RunOptions& options);

}  // namespace VelaRun
