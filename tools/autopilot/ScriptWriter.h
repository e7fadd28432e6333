#pragma once
// Turns the pilot's per-frame inputs into a vela-run input script: a line only where the
// cursor moves or the button changes.
#include <string>

#include "tools/autopilot/Pilot.h"

namespace Autopilot {

class ScriptWriter {
public:
    // Notes the input of `frame`. With the button up the cursor stays where it was.
    void Record(unsigned frame, const FanInput& input);

    int CursorX() const { return x_; }
    int CursorY() const { return y_; }

    // The script, headed by the vela-run command that replays it for `frames` frames.
    std::string Text(const std::string& scene, unsigned frames) const;

private:
    std::string lines_;
    bool blowing_ = false;
    int x_ = 0;  // vela-run starts with the cursor at the centre
    int y_ = 0;
};

}  // namespace Autopilot
