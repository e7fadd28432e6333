#pragma once
#include "tools/vela-run/RunOptions.h"

namespace VelaRun {

// Starts the engine as the game does (windowed, fixed-step clock), runs the scene under the
// options and returns the process exit status.
int Run(const RunOptions& options);

}  // namespace VelaRun
