#include "tools/vela-run/ControlSession.h"

#include <algorithm>
#include <cstdlib>

#include "tools/vela-run/Observation.h"
#include "tools/vela-run/RunOptions.h"
#include "tools/vela-run/SceneDump.h"
#include "tools/vela-run/Screenshot.h"

namespace VelaRun {

namespace {
// Far more than any command needs, file names included.
constexpr std::size_t kMaxLineBytes = 64 * 1024;
}  // namespace

ControlSession::ControlSession(FILE* in, FILE* out) : in_(in), out_(out) {
    // The cursor rests at the picture's centre until the pilot moves it, as in scripts.
    state_.cursorX = kWidth / 2;
    state_.cursorY = kHeight / 2;
}

bool ControlSession::ReadLine(std::string& line) {
    line.clear();
    int c;
    // A line with no end in sight is read through but not kept, so memory stays bounded.
    while ((c = std::fgetc(in_)) != EOF && c != '\n') {
        if (line.size() <= kMaxLineBytes) {
            line.push_back(static_cast<char>(c));
        }
    }
    if (c == EOF && line.empty()) {
        return false;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return true;
}

void ControlSession::Reply(const std::string& text) {
    // A pilot that stopped listening is treated as one that quit.
    if (std::fputs(text.c_str(), out_) < 0 || std::fputc('\n', out_) == EOF ||
        std::fflush(out_) != 0) {
        outputLost_ = true;
    }
}

bool ControlSession::Serve(unsigned frame) {
    std::string line;
    while (!outputLost_ && ReadLine(line)) {
        const Outcome outcome = Execute(line, frame);
        if (outcome != Outcome::Answered) {
            return outcome == Outcome::Step && !outputLost_;
        }
    }
    return false;
}

ControlSession::Outcome ControlSession::Execute(const std::string& line, unsigned frame) {
    ControlCommand command;
    std::string error;
    if (line.size() > kMaxLineBytes) {
        Reply("error: a command line is at most " + std::to_string(kMaxLineBytes) + " bytes");
        return Outcome::Answered;
    }
    if (!ParseControlCommand(line, command, error)) {
        Reply("error: " + error);
        return Outcome::Answered;
    }
    return Answer(command, frame);
}

ControlSession::Outcome ControlSession::Answer(const ControlCommand& command, unsigned frame) {
    using Kind = ControlCommand::Kind;
    switch (command.kind) {
        case Kind::Input:
            ApplyInputCommand(command.input, kWidth, kHeight, state_);
            Reply("ok");
            return Outcome::Answered;
        case Kind::Step:
            if (ended_) {
                Reply("error: the game has ended");
                return Outcome::Answered;
            }
            remaining_ = command.frames;
            return Outcome::Step;
        case Kind::Observe:
            Reply(Observe(frame, !ended_));
            return Outcome::Answered;
        case Kind::Screenshot:
            if (frame == 0 || ended_) {
                Reply(frame == 0 ? "error: no picture before the first step"
                                 : "error: the game has ended");
            } else {
                Reply(WriteScreenshot(command.path)
                          ? "ok"
                          : "error: cannot write screenshot " + command.path);
            }
            return Outcome::Answered;
        case Kind::Dump:
            Reply(WriteSceneDump(command.path, frame) ? "ok"
                                                      : "error: cannot write dump " + command.path);
            return Outcome::Answered;
        case Kind::Quit:
            Reply("ok");
            return Outcome::Quit;
    }
    return Outcome::Answered;
}

bool ControlSession::FrameRan(unsigned frame) {
    if (remaining_ == 0 || --remaining_ > 0) {
        return false;
    }
    Reply(Observe(frame, true));
    return true;
}

void ControlSession::ServeAfterEnd(unsigned frame) {
    ended_ = true;
    if (remaining_ > 0) {
        remaining_ = 0;
        Reply(Observe(frame, false));
    }
    Serve(frame);
}

void ControlSession::FramesSawPresses() {
    std::fill(std::begin(state_.pressed), std::end(state_.pressed), 0);
}

}  // namespace VelaRun
