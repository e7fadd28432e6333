#include "tools/vela-run/ControlCommand.h"

#include <cstdlib>
#include <vector>

#include "engine/scene/ValueText.h"

namespace VelaRun {

namespace {

bool ParseFrames(const std::string& text, unsigned& out) {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    out = static_cast<unsigned>(std::strtoul(text.c_str(), nullptr, 10));
    return out > 0 && out <= kMaxStepFrames;
}

// A file name is the rest of the line, so it may hold spaces.
bool ParsePath(const std::string& line, const std::string& verb, ControlCommand& command,
               std::string& error) {
    const std::size_t start = line.find_first_not_of(" \t", verb.size());
    if (start == std::string::npos) {
        error = "'" + verb + "' needs a file name";
        return false;
    }
    command.path = line.substr(start);
    return true;
}

bool ParseInput(const std::vector<std::string>& pieces, ControlCommand& command,
                std::string& error) {
    const std::string& verb = pieces[0];
    command.kind = ControlCommand::Kind::Input;
    InputCommand& input = command.input;
    if (verb == "move") {
        input.kind = InputCommand::Kind::Move;
        if (pieces.size() != 3 || !ParseScreenNumber(pieces[1], input.x) ||
            !ParseScreenNumber(pieces[2], input.y)) {
            error = "'move' needs two numbers X and Y";
            return false;
        }
        return true;
    }
    if (verb == "focus") {
        input.kind = InputCommand::Kind::Focus;
        if (pieces.size() != 2 || !ParseFocus(pieces[1], input.focused)) {
            error = "'focus' needs 0 (lost) or 1 (regained)";
            return false;
        }
        return true;
    }
    input.kind = verb == "down" ? InputCommand::Kind::Down : InputCommand::Kind::Up;
    if (pieces.size() != 2) {
        error = "'" + verb + "' needs one key";
        return false;
    }
    if (!KeyCode(pieces[1], input.key)) {
        error = UnknownKey(pieces[1]);
        return false;
    }
    return true;
}

bool ParseAlone(const std::vector<std::string>& pieces, ControlCommand::Kind kind,
                ControlCommand& command, std::string& error) {
    command.kind = kind;
    if (pieces.size() != 1) {
        error = "'" + pieces[0] + "' takes nothing after it";
        return false;
    }
    return true;
}
}  // namespace

bool ParseControlCommand(const std::string& line, ControlCommand& command, std::string& error) {
    const std::vector<std::string> pieces = VelaEngine::SplitText(line, "\t ");
    if (pieces.empty()) {
        error = "empty command";
        return false;
    }
    const std::string& verb = pieces[0];
    if (verb == "move" || verb == "down" || verb == "up" || verb == "focus") {
        return ParseInput(pieces, command, error);
    }
    if (verb == "step") {
        command.kind = ControlCommand::Kind::Step;
        if (pieces.size() != 2 || !ParseFrames(pieces[1], command.frames)) {
            error = "'step' needs a frame count from 1 to " + std::to_string(kMaxStepFrames);
            return false;
        }
        return true;
    }
    if (verb == "screenshot" || verb == "dump") {
        command.kind =
            verb == "dump" ? ControlCommand::Kind::Dump : ControlCommand::Kind::Screenshot;
        return ParsePath(line.substr(line.find(verb)), verb, command, error);
    }
    if (verb == "observe") {
        return ParseAlone(pieces, ControlCommand::Kind::Observe, command, error);
    }
    if (verb == "quit") {
        return ParseAlone(pieces, ControlCommand::Kind::Quit, command, error);
    }
    error = "unknown command '" + verb +
            "' (move, down, up, focus, step, observe, screenshot, dump or quit)";
    return false;
}

}  // namespace VelaRun
