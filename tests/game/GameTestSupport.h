#pragma once
// Running the game's fixture scenes through the headless runner in its own process, with the
// game's real sprites and sounds and a throw-away home, and reading its dumps.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "support/Json.h"
#include "support/TempFolder.h"
#include "support/VelaRunProcess.h"

namespace GameTest {

using TestSupport::ComponentOf;
using TestSupport::EntityAt;
using TestSupport::Json;
using TestSupport::ReadJson;
using TestSupport::RunResult;
using TestSupport::RunVelaRun;

inline bool HasEntity(const Json& dump, const std::string& path) {
    return TestSupport::FindEntity(dump, path, "path") != nullptr;
}

inline std::size_t CountOf(const std::string& text, const std::string& piece) {
    std::size_t count = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos;
         at = text.find(piece, at + piece.size())) {
        ++count;
    }
    return count;
}

inline void ExpectAt(const Json& entity, float x, float y) {
    EXPECT_FLOAT_EQ(entity["position"][0].number, x) << entity["path"].text;
    EXPECT_FLOAT_EQ(entity["position"][1].number, y) << entity["path"].text;
}

// Input script lines: the left button goes down on `frame` with the cursor on (x, y) and
// comes up on the next frame, so it reads as pressed in `frame` only.
inline std::string ClickAt(unsigned frame, float x, float y) {
    const std::string f = std::to_string(frame);
    return f + "\tmove\t" + std::to_string(x) + "\t" + std::to_string(y) + "\n" + f +
           "\tdown\tmouse_left\n" + std::to_string(frame + 1) + "\tup\tmouse_left\n";
}

inline std::string Tap(unsigned frame, const std::string& key) {
    return std::to_string(frame) + "\tdown\t" + key + "\n" + std::to_string(frame + 1) + "\tup\t" +
           key + "\n";
}

// One fixture scene run: "assets" holds the fixture scenes under scenes/ and the game's
// sprites and sounds.
struct SceneRun : testing::Test {
    SceneRun() {
        namespace fs = std::filesystem;
        const fs::path source = FLEETWING_SOURCE_DIR;
        fs::create_directory_symlink(source / "tests/game/scenes", assets.File("scenes"));
        for (const char* folder : {"sprites", "sounds"}) {
            fs::create_directory_symlink(source / "assets" / folder, assets.File(folder));
        }
    }

    TestSupport::TempFolder assets;
    TestSupport::TempFolder home;
    TestSupport::TempFolder work;

    std::string Out(const std::string& name) const { return work.File(name); }
    // Lines of key, tab, value.
    void WriteRecords(const std::string& text) const {
        home.Write("VelaEngine/data/records/Fleetwing.record", text);
    }
    std::map<std::string, std::string> ReadRecords() const {
        return TestSupport::ReadRecords(home.Path());
    }

    // Runs `scene` for `frames` frames (0: until the game quits) with the scripted input,
    // dumping the end to "end.json" and each frame of `dumpFrames` to "<frame>.json".
    RunResult Run(const std::string& scene, unsigned frames, const std::string& input = "",
                  std::initializer_list<unsigned> dumpFrames = {}) {
        std::string arguments = "--assets " + assets.Path() + " --scene scenes/" + scene +
                                " --frames " + std::to_string(frames) + " --dump " +
                                Out("end.json");
        if (!input.empty()) {
            arguments += " --input " + work.Write("input.txt", input);
        }
        for (unsigned frame : dumpFrames) {
            arguments +=
                " --dump-at " + std::to_string(frame) + ":" + Out(std::to_string(frame) + ".json");
        }
        return RunVelaRun(arguments, home.Path());
    }
    // Like Run, expecting a clean exit.
    std::string RunOk(const std::string& scene, unsigned frames, const std::string& input = "",
                      std::initializer_list<unsigned> dumpFrames = {}) {
        RunResult result = Run(scene, frames, input, dumpFrames);
        EXPECT_EQ(result.status, 0) << result.output;
        return result.output;
    }
    Json End() const { return ReadJson(Out("end.json")); }
    Json At(unsigned frame) const { return ReadJson(Out(std::to_string(frame) + ".json")); }
};

}  // namespace GameTest
