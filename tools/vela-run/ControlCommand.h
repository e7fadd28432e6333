#pragma once
// One line of the pilot protocol: input as scripts give it, frames to run, files to write.
#include <string>

#include "tools/vela-run/InputScript.h"

namespace VelaRun {

struct ControlCommand {
    enum class Kind { Input, Step, Observe, Screenshot, Dump, Quit };
    Kind kind = Kind::Quit;
    InputCommand input;   // Input: a move, down or up
    unsigned frames = 0;  // Step: from 1
    std::string path;     // Screenshot and Dump: the rest of the line
};

// The longest step one command may ask for: an hour of game time.
constexpr unsigned kMaxStepFrames = 216000;

// Reads one command line (without its line end); on a malformed one returns false with
// `error` explaining it.
bool ParseControlCommand(const std::string& line, ControlCommand& command, std::string& error);

}  // namespace VelaRun
