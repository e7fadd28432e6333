#pragma once
// Runs the real game content through vela-run in its own process, with a throw-away home,
// and reads back what it left: the scene dump and the record file.
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "support/Json.h"

namespace ContentRun {

struct Result {
    int status = -1;
    std::string output;  // standard output and error together
};

inline const std::string kReplays = FLEETWING_SOURCE_DIR "/tests/replays";

// vela-run over the game's own assets. The checks read dumps and records only, so nothing
// is drawn: Mesa's no-op driver (where Mesa is the GL) makes a frame cost game logic only.
inline Result RunGame(const std::string& arguments, const std::string& home) {
    const std::string command = "HOME=" + home +
                                " GALLIUM_NOOP=1 " FLEETWING_BINARY_DIR
                                "/tools/vela-run/vela-run --assets " FLEETWING_SOURCE_DIR
                                "/assets " +
                                arguments + " 2>&1";
    Result result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        result.output.append(buffer, n);
    }
    const int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline TestSupport::Json ReadDump(const std::string& path) {
    return TestSupport::Json::Parse(ReadText(path));
}

// The first entity of the dump with this name (the dump lists the tree depth first), or null.
inline const TestSupport::Json* FindEntity(const TestSupport::Json& dump, const std::string& name) {
    for (const TestSupport::Json& entity : dump["entities"].items) {
        if (entity["name"].text == name) {
            return &entity;
        }
    }
    return nullptr;
}

// The entity's first component of this type, or null.
inline const TestSupport::Json* FindComponent(const TestSupport::Json& entity,
                                              const std::string& type) {
    for (const TestSupport::Json& component : entity["components"].items) {
        if (component["type"].text == type) {
            return &component;
        }
    }
    return nullptr;
}

inline bool IsAt(const TestSupport::Json& entity, double x, double y) {
    return entity["position"][0].number == x && entity["position"][1].number == y;
}

inline std::string RecordPath(const std::string& home) {
    return home + "/VelaEngine/data/records/Fleetwing.record";
}

// The record file as key and value text; empty when there is none.
inline std::map<std::string, std::string> ReadRecords(const std::string& home) {
    std::map<std::string, std::string> records;
    std::istringstream in(ReadText(RecordPath(home)));
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t tab = line.find('\t');
        if (tab != std::string::npos) {
            records[line.substr(0, tab)] = line.substr(tab + 1);
        }
    }
    return records;
}

// The frame count a replay script asks for in its heading comment ("... --frames N").
inline unsigned FramesOf(const std::string& script) {
    std::istringstream in(ReadText(script));
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
