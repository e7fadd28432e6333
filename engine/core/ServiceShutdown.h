#pragma once

namespace VelaEngine {

// Releases every service, last created first, closing the sound system, the window and its
// GL context on the way. The entry calls it before it returns; afterwards no holder holds
// anything, so nothing is left for the exit handlers.
void ShutDownServices();

}  // namespace VelaEngine
