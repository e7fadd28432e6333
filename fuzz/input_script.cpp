// vela-run input files: parsed by the runner's own reader, then replayed frame by frame. A
// malformed file must be refused with a message naming the file and line; an accepted one
// must only hold commands the replay can apply.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/support/FuzzHarness.h"
#include "tools/vela-run/InputScript.h"

using FuzzSupport::Require;
using VelaRun::InputCommand;

namespace {
constexpr int kWidth = 1600;
constexpr int kHeight = 900;
constexpr const char* kFileName = "fuzz.input";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = FuzzSupport::Text(data, size);
    std::vector<InputCommand> commands;
    std::string error;
    if (!VelaRun::ParseInputScript(text, kFileName, commands, error)) {
        Require(error.rfind(std::string(kFileName) + ":", 0) == 0,
                "a refusal does not name the file");
        return 0;
    }
    Require(error.empty(), "an accepted file has an error");
    unsigned previous = 0;
    for (const InputCommand& command : commands) {
        Require(command.frame >= 1 && command.frame >= previous, "frames are not in order");
        previous = command.frame;
    }
    // Every frame that has commands, then one past the last: each applies without harm.
    VelaRun::InputScript script(commands, kWidth, kHeight);
    for (const InputCommand& command : commands) {
        script.BeginFrame(command.frame);
    }
    script.BeginFrame(previous + 1);
    const EBInputSnapshot& state = script.State();
    for (const InputCommand& command : commands) {
        if (command.kind != InputCommand::Kind::Move) {
            Require(state.keys[command.key] == 0 || state.keys[command.key] == 0x80,
                    "a key holds a state other than up or down");
        }
    }
    return 0;
}
