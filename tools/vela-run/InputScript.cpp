#include "tools/vela-run/InputScript.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

#include "engine/scene/ValueText.h"
#include "platform/EBSystem.h"

namespace VelaRun {

namespace {
struct KeyName {
    const char* name;
    unsigned char code;
};
constexpr KeyName kKeys[] = {
    {"mouse_left", 0x01}, {"mouse_right", 0x02}, {"escape", 0x1B}, {"p", 0x50},   {"space", 0x20},
    {"enter", 0x0D},      {"a", 0x41},           {"i", 0x49},      {"f11", 0x7A},
};

bool ParseNumber(const std::string& text, float& out) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    // Far beyond any screen; keeps the pixel conversion in range.
    constexpr double kLimit = 1.0e6;
    if (end == text.c_str() || *end != '\0' || !(std::fabs(value) <= kLimit)) {
        return false;
    }
    out = static_cast<float>(value);
    return true;
}

bool ParseFrame(const std::string& text, unsigned& out) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos ||
        text.size() > 9) {
        return false;
    }
    out = static_cast<unsigned>(std::strtoul(text.c_str(), nullptr, 10));
    return out > 0;
}

// Reads one non-comment line; returns an explanation when it is malformed.
std::string ParseLine(const std::string& line, InputCommand& command) {
    const std::vector<std::string> pieces = VelaEngine::SplitText(line, "\t ");
    if (pieces.size() < 2) {
        return "expected FRAME<TAB>COMMAND";
    }
    if (!ParseFrame(pieces[0], command.frame)) {
        return "'" + pieces[0] + "' is not a frame number from 1";
    }
    const std::string& verb = pieces[1];
    if (verb == "move") {
        command.kind = InputCommand::Kind::Move;
        if (pieces.size() != 4 || !ParseNumber(pieces[2], command.x) ||
            !ParseNumber(pieces[3], command.y)) {
            return "'move' needs two numbers X and Y";
        }
        return "";
    }
    if (verb == "focus") {
        command.kind = InputCommand::Kind::Focus;
        if (pieces.size() != 3 || !ParseFocus(pieces[2], command.focused)) {
            return "'focus' needs 0 (lost) or 1 (regained)";
        }
        return "";
    }
    if (verb != "down" && verb != "up") {
        return "unknown command '" + verb + "' (move, down, up or focus)";
    }
    command.kind = verb == "down" ? InputCommand::Kind::Down : InputCommand::Kind::Up;
    if (pieces.size() != 3) {
        return "'" + verb + "' needs one key";
    }
    return KeyCode(pieces[2], command.key) ? "" : UnknownKey(pieces[2]);
}
}  // namespace

bool KeyCode(const std::string& name, unsigned char& code) {
    for (const KeyName& key : kKeys) {
        if (name == key.name) {
            code = key.code;
            return true;
        }
    }
    return false;
}

std::string UnknownKey(const std::string& name) {
    return "unknown key '" + name +
           "' (mouse_left, mouse_right, escape, p, space, enter, a, i or f11)";
}

bool ParseFocus(const std::string& text, bool& focused) {
    if (text != "0" && text != "1") {
        return false;
    }
    focused = text == "1";
    return true;
}

bool ParseScreenNumber(const std::string& text, float& out) {
    return ParseNumber(text, out);
}

void ApplyInputCommand(const InputCommand& command, int width, int height, EBInputSnapshot& state) {
    switch (command.kind) {
        case InputCommand::Kind::Move:
            state.cursorX = static_cast<int>(std::lround(command.x + width * 0.5f));
            state.cursorY = static_cast<int>(std::lround(height * 0.5f - command.y));
            break;
        case InputCommand::Kind::Down:
            // Marked pressed too, so an "up" later in the same frame still lets the
            // frame see the press, as a quick click between two frames would.
            if (state.keys[command.key] == 0) {
                state.pressed[command.key] = 0x80;
            }
            state.keys[command.key] = 0x80;
            break;
        case InputCommand::Kind::Up:
            state.keys[command.key] = 0;
            break;
        case InputCommand::Kind::Focus:
            EBSysSetWindowActive(command.focused ? 1 : 0);
            break;
    }
}

bool ParseInputScript(const std::string& text, const std::string& fileName,
                      std::vector<InputCommand>& commands, std::string& error) {
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#') {
            continue;
        }
        InputCommand command;
        const std::string problem = ParseLine(line, command);
        if (!problem.empty()) {
            error = fileName + ":" + std::to_string(number) + ": " + problem;
            return false;
        }
        commands.push_back(command);
    }
    // Frames may be listed out of order; within a frame the file order holds.
    std::stable_sort(
        commands.begin(), commands.end(),
        [](const InputCommand& a, const InputCommand& b) { return a.frame < b.frame; });
    return true;
}

InputScript::InputScript(std::vector<InputCommand> commands, int windowWidth, int windowHeight)
    : commands_(std::move(commands)), width_(windowWidth), height_(windowHeight) {
    // The cursor rests at the picture's centre until the script moves it.
    state_.cursorX = width_ / 2;
    state_.cursorY = height_ / 2;
}

void InputScript::BeginFrame(unsigned frame) {
    std::fill(std::begin(state_.pressed), std::end(state_.pressed), 0);
    while (next_ < commands_.size() && commands_[next_].frame <= frame) {
        ApplyInputCommand(commands_[next_++], width_, height_, state_);
    }
}

}  // namespace VelaRun
