#pragma once
// The game's own command line: --help and --version answer and end the program; the game
// takes no other options, so anything else is refused rather than silently ignored.
#include <ostream>

namespace Game {

struct CommandLineAnswer {
    bool play = true;  // false: the program ends at once with `status`
    int status = 0;
};

CommandLineAnswer AnswerCommandLine(int argc, const char* const* argv, std::ostream& out,
                                    std::ostream& err);

}  // namespace Game
