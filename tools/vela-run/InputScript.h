#pragma once
// Scripted input for headless runs: commands keyed by frame that hold until changed.
#include <string>
#include <vector>

#include "platform/EBInput.h"

namespace VelaRun {

struct InputCommand {
    enum class Kind { Move, Down, Up };
    unsigned frame = 0;
    Kind kind = Kind::Move;
    float x = 0.0f;  // screen space: origin at the picture's centre, Y up
    float y = 0.0f;
    unsigned char key = 0;  // Win32 virtual-key code
};

// Parses the script text; on the first malformed line returns false with `error` naming the
// file and the line.
bool ParseInputScript(const std::string& text, const std::string& fileName,
                      std::vector<InputCommand>& commands, std::string& error);

// Holds the scripted device state and applies each frame's commands to it.
class InputScript {
public:
    InputScript(std::vector<InputCommand> commands, int windowWidth, int windowHeight);

    // Applies every command of `frame` in file order. A "down" and an "up" of one key in the
    // same frame make a press that the frame sees (pressed and held) and the next one sees
    // released.
    void BeginFrame(unsigned frame);
    const EBInputSnapshot& State() const { return state_; }

private:
    std::vector<InputCommand> commands_;
    std::size_t next_ = 0;
    int width_;
    int height_;
    EBInputSnapshot state_{};
};

}  // namespace VelaRun
