#pragma once
// Log lines and fatal assertions, the diagnostics every part of the engine uses.
#include <string>

namespace VelaEngine {

// "LOG: " + text + end of line on standard output, flushed.
void Log(const std::string& text);

// On a false condition: "Assertion failed in VEDebug.cpp line 22: " + text on standard error,
// then the process ends through the platform's failure handler.
void Assert(bool condition, const std::string& text);

// "Assertion in VEDebug.cpp line 35: " + text on standard error, then the process ends.
[[noreturn]] void Fail(const std::string& text);

}  // namespace VelaEngine
