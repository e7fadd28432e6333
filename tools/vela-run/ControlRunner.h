#pragma once
#include "tools/vela-run/RunOptions.h"

namespace VelaRun {

// Starts the game headless and lets a pilot program play it through standard input and
// output; the engine's own output goes to standard error. Returns the exit status.
int RunControl(const RunOptions& options);

}  // namespace VelaRun
