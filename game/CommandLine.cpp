#include "game/CommandLine.h"

#include <string_view>

#ifndef FLEETWING_VERSION
#define FLEETWING_VERSION "unknown"
#endif

namespace Game {

namespace {

constexpr std::string_view kUsage =
    "Usage: fleetwing [--help | --version]\n"
    "\n"
    "Fleetwing: a paper plane falls, and holding the left mouse button makes a fan at the\n"
    "cursor blow it away. Steer it past the hazards to the flag.\n"
    "\n"
    "In a level: hold the left button to blow, the right one for slow motion, P or Escape\n"
    "to pause. F11 switches full screen on and off.\n"
    "\n"
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n"
    "\n"
    "Progress is kept in ~/VelaEngine/data/records/Fleetwing.record.\n";

}  // namespace

CommandLineAnswer AnswerCommandLine(int argc, const char* const* argv, std::ostream& out,
                                    std::ostream& err) {
    if (argc <= 1) {
        return {};
    }
    const std::string_view option = argv[1];
    if (argc == 2 && option == "--help") {
        out << kUsage;
        return {false, 0};
    }
    if (argc == 2 && option == "--version") {
        out << "Fleetwing " << FLEETWING_VERSION << "\n";
        return {false, 0};
    }
    err << "fleetwing: unknown option '" << (argc == 2 ? option : std::string_view(argv[2]))
        << "'\n"
        << kUsage;
    return {false, 2};
}

}  // namespace Game
