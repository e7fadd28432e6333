#include "platform/EBGfxDebug.h"

#include <GL/glew.h>

#include <cstdarg>
#include <cstdio>

#include "platform/EBFatal.h"

namespace EBInternal {

namespace {
// A lost context could report errors without end; a frame never has more than a few.
constexpr int kMaxReportedErrors = 64;

std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string Printf(const char* format, ...) {
    char buffer[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    return buffer;
}
}  // namespace

std::string FormatGLError(int line, const char* function, unsigned code) {
    return Printf("CHECK_GL_ERROR:\nLine: %d\nFunc: %s\nFile: %s\n", line, function,
                  kGraphicsFile) +
           Printf("Code: 0x%.8x\n", code) + "Mesg: " + "\n";
}

std::string FormatHalt(int line, const char* function, const std::string& message) {
    return Printf("HALT:\nLine: %d\nFunc: %s\nFile: %s\n", line, function, kGraphicsFile) +
           message + "\n";
}

void Halt(int line, const char* function, const std::string& message) {
    const std::string text = FormatHalt(line, function, message);
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
    EBFatal(EBFatalKind::Halt, text);
}

void CheckGLError(int line, const char* function) {
    std::string printed;
    int reported = 0;
    for (GLenum code = glGetError(); code != GL_NO_ERROR && reported < kMaxReportedErrors;
         code = glGetError(), ++reported) {
        const std::string block = FormatGLError(line, function, code);
        std::fputs(block.c_str(), stdout);
        printed += block;
    }
    if (printed.empty()) {
        return;
    }
    const std::string halt = FormatHalt(line, function, "");
    std::fputs(halt.c_str(), stdout);
    std::fflush(stdout);
    EBFatal(EBFatalKind::Halt, printed + halt);
}

}  // namespace EBInternal
