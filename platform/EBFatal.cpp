#include "platform/EBFatal.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {
EBFatalHandler g_handler = nullptr;

[[noreturn]] void DefaultEnding(EBFatalKind kind) {
    std::fflush(stdout);
    std::fflush(stderr);
    if (kind == EBFatalKind::Halt) {
        // Wait for a key only where someone can press one: a program without a terminal
        // must never hang.
        if (isatty(STDIN_FILENO)) {
            std::getchar();
        }
        std::exit(1);
    }
    // A failed assertion is a reported error, not a crash: end with status 1, without the
    // abort's core dump and without running destructors over a state that just failed.
    std::_Exit(1);
}
}  // namespace

EBFatalHandler EBSetFatalHandler(EBFatalHandler handler) {
    EBFatalHandler previous = g_handler;
    g_handler = handler;
    return previous;
}

void EBFatal(EBFatalKind kind, const std::string& message) {
    if (g_handler != nullptr) {
        g_handler(kind, message);
    }
    DefaultEnding(kind);
}
