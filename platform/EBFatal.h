#pragma once
// The one way the program ends on a failure. Engine assertions and the platform's HALT both
// end here, so tests and fuzzers can install a handler that observes the message instead.
#include <string>

enum class EBFatalKind {
    Assertion,  // engine Assert/Fail: the default ends the process with status 1
    Halt,       // platform HALT: the default waits for a key on a terminal, then exit(1)
};

// A handler may throw to unwind back to a test; if it returns, the default ending follows.
using EBFatalHandler = void (*)(EBFatalKind kind, const std::string& message);

// Installs a handler; null restores the default. Returns the previous handler.
EBFatalHandler EBSetFatalHandler(EBFatalHandler handler);

// The message has already been printed by the caller in its own format.
[[noreturn]] void EBFatal(EBFatalKind kind, const std::string& message);
