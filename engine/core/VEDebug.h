#pragma once
// Log lines and fatal assertions, the diagnostics every part of the engine uses. Texts may
// quote content: their control characters other than tab and line feed are written as \xNN.
#include <string>

namespace VelaEngine {

// "LOG: " + text + end of line on standard output, flushed.
void Log(const std::string& text);

// On a false condition: "Assertion failed in VEDebug.cpp line 22: " + text on standard error,
// then the process ends through the platform's failure handler.
void Assert(bool condition, const std::string& text);

// "Assertion in VEDebug.cpp line 35: " + text on standard error, then the process ends.
[[noreturn]] void Fail(const std::string& text);

// While a content file is read, fatal messages carry its name and the current line on a line
// of their own after the message. Scopes nest; the innermost one is reported.
class ContentLocation {
public:
    explicit ContentLocation(std::string file);
    ~ContentLocation();
    ContentLocation(const ContentLocation&) = delete;
    ContentLocation& operator=(const ContentLocation&) = delete;

    void SetLine(int line) { line_ = line; }
    // "in FILE, line N", or "" when no content is being read.
    static std::string Describe();

private:
    std::string file_;
    int line_ = 0;
    ContentLocation* outer_;
};

}  // namespace VelaEngine
