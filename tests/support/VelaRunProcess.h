#pragma once
// Commands and the headless runner in their own processes, as players, scene authors and CI
// run them, and readers for what they leave behind: dumps and the record file.
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>

#include "support/Json.h"

namespace TestSupport {

struct RunResult {
    int status = -1;
    std::string output;  // standard output and error together
};

// Runs `command` through /bin/sh and waits for it.
inline RunResult RunCommand(const std::string& command) {
    RunResult result;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
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

// Single-quotes `text` for /bin/sh.
inline std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// `environment` is prefixed to the command ("NAME=value ..."); records go to `home`.
inline RunResult RunVelaRun(const std::string& arguments, const std::string& home,
                            const std::string& environment = "") {
    return RunCommand("HOME=" + home + " " + environment +
                      " " FLEETWING_BINARY_DIR "/tools/vela-run/vela-run " + arguments);
}

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline Json ReadJson(const std::string& path) {
    return Json::Parse(ReadText(path));
}

// The first dumped entity whose `key` ("name" or "path") is `value`, or null.
inline const Json* FindEntity(const Json& dump, const std::string& value,
                              const std::string& key = "name") {
    for (const Json& entity : dump["entities"].items) {
        if (entity[key].text == value) {
            return &entity;
        }
    }
    return nullptr;
}

// The entity's first component of that type, or null.
inline const Json* FindComponent(const Json& entity, const std::string& type) {
    for (const Json& component : entity["components"].items) {
        if (component["type"].text == type) {
            return &component;
        }
    }
    return nullptr;
}

// As the finders, for tests that cannot go on without the piece: a missing one throws.
inline const Json& EntityAt(const Json& dump, const std::string& path) {
    const Json* entity = FindEntity(dump, path, "path");
    if (entity == nullptr) {
        throw std::runtime_error("no entity " + path + " in the dump");
    }
    return *entity;
}

inline const Json& ComponentOf(const Json& entity, const std::string& type) {
    const Json* component = FindComponent(entity, type);
    if (component == nullptr) {
        throw std::runtime_error("no " + type + " on " + entity["path"].text);
    }
    return *component;
}

inline std::string RecordPath(const std::string& home) {
    return home + "/VelaEngine/data/records/Fleetwing.record";
}

// The record file's entries; its lines come in no fixed order. Empty when there is none.
inline std::map<std::string, std::string> ReadRecords(const std::string& home) {
    std::map<std::string, std::string> records;
    std::istringstream in(ReadText(RecordPath(home)));
    for (std::string line; std::getline(in, line);) {
        const std::size_t tab = line.find('\t');
        if (tab != std::string::npos) {
            records[line.substr(0, tab)] = line.substr(tab + 1);
        }
    }
    return records;
}

}  // namespace TestSupport
