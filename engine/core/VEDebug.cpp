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

ContentLocation* g_location = nullptr;

// Messages quote content, which may hold any byte: control characters other than tab and line
// feed are written as \xNN, so a damaged file can neither drive the terminal nor cut a message
// short at a NUL.
std::string Printable(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t' && c != '\n') || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(byte));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out;
}

[[noreturn]] void Report(const std::string& line) {
    std::string message = line;
    const std::string where = ContentLocation::Describe();
    if (!where.empty()) {
        message += "\n" + where;
    }
    message = Printable(message);
    std::cout.flush();
    std::cerr << message << std::endl;
    EBFatal(EBFatalKind::Assertion, message);
}
}  // namespace

ContentLocation::ContentLocation(std::string file) : file_(std::move(file)), outer_(g_location) {
    g_location = this;
}

ContentLocation::~ContentLocation() {
    g_location = outer_;
}

std::string ContentLocation::Describe() {
    if (g_location == nullptr) {
        return "";
    }
    return "in " + g_location->file_ + ", line " + std::to_string(g_location->line_);
}

void Log(const std::string& text) {
    std::cout << "LOG: " << Printable(text) << std::endl;
}

void Assert(bool condition, const std::string& text) {
    if (!condition) {
        Report(std::string("Assertion failed in ") + kFileName + " line " +
               std::to_string(kAssertLine) + ": " + text);
    }
}

void Fail(const std::string& text) {
    Report(std::string("Assertion in ") + kFileName + " line " + std::to_string(kFailLine) + ": " +
           text);
}

}  // namespace VelaEngine
