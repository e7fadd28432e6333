#include "platform/EBFatal.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>

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
    std::terminate();
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
