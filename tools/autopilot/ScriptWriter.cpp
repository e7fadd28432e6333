#include "tools/autopilot/ScriptWriter.h"

namespace Autopilot {

void ScriptWriter::Record(unsigned frame, const FanInput& input) {
    const std::string at = std::to_string(frame) + "\t";
    if (input.blow && (input.x != x_ || input.y != y_)) {
        x_ = input.x;
        y_ = input.y;
        lines_ += at + "move\t" + std::to_string(x_) + "\t" + std::to_string(y_) + "\n";
    }
    if (input.blow != blowing_) {
        blowing_ = input.blow;
        lines_ += at + (blowing_ ? "down" : "up") + "\tmouse_left\n";
    }
}

std::string ScriptWriter::Text(const std::string& scene, unsigned frames) const {
    return "# Made by tools/autopilot. Replay: vela-run --scene " + scene +
           " --input FILE --frames " + std::to_string(frames) + "\n" + lines_;
}

}  // namespace Autopilot
