#include "engine/core/VEDebug.h"

#include <cstdio>
#include <iostream>

#include "platform/EBFatal.h"

namespace VelaEngine {

namespace {
// The diagnostics module names itself, never the caller.
constexpr const char* kFileName = "VEDebug.cpp";
constexpr int kAssertLine = 22;
constexpr int kFailLine = 35;

[[noreturn]] void Report(const std::string& line) {
    std::cout.flush();
    std::cerr << line << std::endl;
    EBFatal(EBFatalKind::Assertion, line);
}
}  // namespace

void Log(const std::string& text) { std::cout << "LOG: " << text << std::endl; }

void Assert(bool condition, const std::string& text) {
    if (!condition) {
        Report(std::string("Assertion failed in ") + kFileName + " line " +
               std::to_string(kAssertLine) + ": " + text);
    }
}

void Fail(const std::string& text) {
    Report(std::string("Assertion in ") + kFileName + " line " + std::to_string(kFailLine) +
           ": " + text);
}

}  // namespace VelaEngine
