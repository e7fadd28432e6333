#pragma once
// The pilot protocol's conversation: commands read a line at a time, one answer line each,
// and the device state the commands build for the frames they run.
#include <cstdio>
#include <string>

#include "platform/EBInput.h"
#include "tools/vela-run/ControlCommand.h"

namespace VelaRun {

class ControlSession {
public:
    // Answers go to `out`, flushed per line; neither stream is closed here.
    ControlSession(FILE* in, FILE* out);

    // Answers commands until a step asks for frames (true) or the pilot quits or closes its
    // input (false). `frame` is the last frame run; 0 before the first, when there is no
    // picture yet.
    bool Serve(unsigned frame);
    // A frame of the step ran; once the step's last one has, answers with the observation
    // and returns true.
    bool FrameRan(unsigned frame);
    // The game ended by itself: a step cut short is answered, then commands that need no
    // further frame are still served until the pilot quits.
    void ServeAfterEnd(unsigned frame);
    // Forgets the presses once a frame has seen them, so a quick press lasts one frame.
    void FramesSawPresses();
    const EBInputSnapshot& State() const { return state_; }

private:
    enum class Outcome { Answered, Step, Quit };
    Outcome Answer(const ControlCommand& command, unsigned frame);
    Outcome Execute(const std::string& line, unsigned frame);
    bool ReadLine(std::string& line);
    void Reply(const std::string& text);

    FILE* in_;
    FILE* out_;
    EBInputSnapshot state_{};
    unsigned remaining_ = 0;
    bool ended_ = false;
    bool outputLost_ = false;
};

}  // namespace VelaRun
