#pragma once
// Runs the real game content through vela-run in its own process, with a throw-away home.
#include <regex>
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
    static const std::regex kHeading(R"(^(?:#[^\n]*\n)*#[^\n]*--frames (\d+))");
    const std::string text = TestSupport::ReadText(script);
    std::smatch found;
    return std::regex_search(text, found, kHeading) ? std::stoul(found[1]) : 0;
}

}  // namespace ContentRun
