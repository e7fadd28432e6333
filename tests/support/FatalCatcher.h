#pragma once
// Turns the program's fatal endings into exceptions a test can catch and read.
#include <stdexcept>
#include <string>

#include "platform/EBFatal.h"

namespace TestSupport {

struct FatalError : std::runtime_error {
    FatalError(EBFatalKind k, const std::string& message) : std::runtime_error(message), kind(k) {}
    EBFatalKind kind;
};

// Installs the throwing handler for the lifetime of the object.
class FatalCatcher {
public:
    FatalCatcher() : previous_(EBSetFatalHandler(&Throw)) {}
    ~FatalCatcher() { EBSetFatalHandler(previous_); }
    FatalCatcher(const FatalCatcher&) = delete;
    FatalCatcher& operator=(const FatalCatcher&) = delete;

private:
    static void Throw(EBFatalKind kind, const std::string& message) {
        throw FatalError(kind, message);
    }
    EBFatalHandler previous_;
};

// Runs `body` and returns the fatal message it ended with, or "" when it did not end.
template <class F>
std::string FatalMessageOf(F&& body) {
    FatalCatcher catcher;
    try {
        body();
    } catch (const FatalError& e) {
        return e.what();
    }
    return "";
}

}  // namespace TestSupport
