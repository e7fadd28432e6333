#pragma once
// Running the game's fixture scenes: an asset folder with the fixture scenes and the game's
// real sprites and sounds, a throw-away home with its record file, the headless runner in
// its own process, and readers for its dumps.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
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

// "assets" for one test: the fixture scenes under scenes/, the real sprites and sounds, and
// the click tinter's scene at the top, where it asks for it.
class FixtureAssets {
public:
    FixtureAssets() {
        namespace fs = std::filesystem;
        const fs::path root = folder_.Path();
        const fs::path source = FLEETWING_SOURCE_DIR;
        fs::create_directory_symlink(source / "tests/game/scenes", root / "scenes");
        fs::create_directory_symlink(source / "assets/sprites", root / "sprites");
        fs::create_directory_symlink(source / "assets/sounds", root / "sounds");
        fs::create_symlink(source / "tests/game/scenes/filey2.scene", root / "filey2.scene");
    }
    const std::string& Path() const { return folder_.Path(); }

private:
    TestSupport::TempFolder folder_;
};

// A home folder holding the record file as the game writes it.
class Home {
public:
    const std::string& Path() const { return folder_.Path(); }
    std::string RecordFile() const { return TestSupport::RecordPath(folder_.Path()); }
    bool HasRecordFile() const { return std::filesystem::exists(RecordFile()); }
    // Lines of key, tab, value.
    void WriteRecords(const std::string& text) const {
        folder_.Write("VelaEngine/data/records/Fleetwing.record", text);
    }
    std::map<std::string, std::string> ReadRecords() const {
        return TestSupport::ReadRecords(folder_.Path());
    }
    std::string ReadRecordText() const { return TestSupport::ReadText(RecordFile()); }

private:
    TestSupport::TempFolder folder_;
};

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

// One fixture scene run through the headless runner under a throw-away home.
struct SceneRun : testing::Test {
    FixtureAssets assets;
    Home home;
    TestSupport::TempFolder work;

    std::string Out(const std::string& name) const { return work.File(name); }

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
