#pragma once
// Scripted input for headless runs: commands keyed by frame that hold until changed.
#include <string>
#include <vector>

#include "platform/EBInput.h"

namespace VelaRun {

struct InputCommand {
    enum class Kind { Move, Down, Up, Focus };
    unsigned frame = 0;
    Kind kind = Kind::Move;
    float x = 0.0f;  // screen space: origin at the picture's centre, Y up
    float y = 0.0f;
    unsigned char key = 0;  // Win32 virtual-key code
    bool focused = true;    // Focus: whether the window has the keyboard focus
};

// The Win32 virtual-key code of a key name scripts use; false for an unknown name.
bool KeyCode(const std::string& name, unsigned char& code);
// The complaint about an unknown key name, listing the known ones.
std::string UnknownKey(const std::string& name);
// "0" or "1" after 'focus'; false for anything else.
bool ParseFocus(const std::string& text, bool& focused);
// A screen coordinate as scripts write it; false when it is no number or far off any screen.
bool ParseScreenNumber(const std::string& text, float& out);
// Applies one command to the device state of a window of that size. A "down" of a key that
// is up also marks it pressed; the caller clears the pressed marks once a frame has seen them.
// A focus change goes straight to the platform's focus flag, as the window system's would.
void ApplyInputCommand(const InputCommand& command, int width, int height, EBInputSnapshot& state);

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
