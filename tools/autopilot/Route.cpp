#include "tools/autopilot/Route.h"

#include <sstream>

namespace Autopilot {

namespace {
std::string ParseLine(const std::string& line, Leg& leg) {
    std::istringstream in(line);
    std::string verb;
    in >> verb;
    if (verb == "gate") {
        leg.kind = Leg::Kind::Gate;
        return "";
    }
    if (verb == "go" || verb == "land") {
        leg.kind = verb == "go" ? Leg::Kind::Go : Leg::Kind::Land;
        if (!(in >> leg.x >> leg.y >> leg.speed) || leg.speed <= 0.0f) {
            return "'" + verb + "' needs X, Y and a positive speed";
        }
        return "";
    }
    if (verb == "stop") {
        leg.kind = Leg::Kind::Stop;
        if (!(in >> leg.x >> leg.y)) {
            return "'stop' needs X and Y";
        }
        return "";
    }
    return "unknown leg '" + verb + "' (go, stop, gate or land)";
}
}  // namespace

bool ParseRoute(const std::string& text, std::vector<Leg>& legs, std::string& error) {
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.find_first_not_of(" \t\r") == std::string::npos || line[0] == '#') {
            continue;
        }
        Leg leg;
        const std::string problem = ParseLine(line, leg);
        if (!problem.empty()) {
            error = "line " + std::to_string(number) + ": " + problem;
            return false;
        }
        legs.push_back(leg);
    }
    if (legs.empty() || legs.back().kind != Leg::Kind::Land) {
        error = "a route ends with a 'land' leg";
        return false;
    }
    return true;
}

}  // namespace Autopilot
