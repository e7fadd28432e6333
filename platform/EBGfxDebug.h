#pragma once
// The graphics module's failure reports: CHECK_GL_ERROR blocks and HALT.
#include <string>

namespace EBInternal {

// The file every graphics report names.
constexpr const char* kGraphicsFile = "..\\..\\src\\EBGraphics";

std::string FormatGLError(int line, const char* function, unsigned code);
std::string FormatHalt(int line, const char* function, const std::string& message);

// Prints the HALT block on standard output and ends through the fatal handler.
[[noreturn]] void Halt(int line, const char* function, const std::string& message);

// Prints one block per pending GL error, then halts if there was any.
void CheckGLError(int line, const char* function);

}  // namespace EBInternal
