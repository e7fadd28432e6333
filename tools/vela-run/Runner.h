#pragma once
#include "game/GameStart.h"
#include "platform/EBInput.h"
#include "tools/vela-run/RunOptions.h"

namespace VelaRun {

// Starts the engine as the game does (windowed, fixed-step clock), runs the scene under the
// options and returns the process exit status.
int Run(const RunOptions& options);

// Starts the game on the runner's terms: offscreen unless --window, the fixed-step clock and
// input from `source`.
void StartRunnerGame(const RunOptions& options, const Game::StartOptions& start,
                     EBInputSource source);

}  // namespace VelaRun
