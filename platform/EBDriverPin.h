#pragma once

// Under the sanitizers, keeps Mesa's GL driver libraries loaded until the process ends, so
// that what the driver keeps for its own lifetime stays reachable (and symbolised) when the
// leak check runs at exit. Does nothing in ordinary builds.
void EBPinGraphicsDriver();
