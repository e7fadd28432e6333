#pragma once
// Runs the real game content through vela-run in its own process, with a throw-away home.
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <string>

#include "support/VelaRunProcess.h"

namespace ContentRun {

using TestSupport::RunResult;

inline const std::string kReplays = FLEETWING_SOURCE_DIR "/tests/replays";

// vela-run over the game's own assets. The checks read dumps and records only, so nothing
// is drawn: Mesa's no-op driver (where Mesa is the GL) makes a frame cost game logic only.
inline RunResult RunGame(const std::string& arguments, const std::string& home) {
    return TestSupport::RunVelaRun("--assets " FLEETWING_SOURCE_DIR "/assets " + arguments, home,
                                   "GALLIUM_NOOP=1");
}

// The first dumped entity with that name; a missing one throws.
inline const TestSupport::Json& Named(const TestSupport::Json& dump, const std::string& name) {
    const TestSupport::Json* entity = TestSupport::FindEntity(dump, name);
    if (entity == nullptr) {
        throw std::runtime_error("no entity named " + name + " in the dump");
    }
    return *entity;
}

inline bool IsAt(const TestSupport::Json& entity, double x, double y) {
    return entity["position"][0].number == x && entity["position"][1].number == y;
}

// The frame count a replay script asks for in its heading comment ("... --frames N").
inline unsigned FramesOf(const std::string& script) {
    std::istringstream in(TestSupport::ReadText(script));
    std::string line;
    while (std::getline(in, line) && line.rfind('#', 0) == 0) {
        const std::size_t at = line.find("--frames ");
        if (at != std::string::npos) {
            return static_cast<unsigned>(std::atoi(line.c_str() + at + 9));
        }
    }
    return 0;
}

}  // namespace ContentRun
