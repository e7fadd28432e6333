#pragma once
// The runner's command line.
#include <string>
#include <vector>

namespace VelaRun {

// The runner's window: input scripts, screenshots and the start-up all use this size.
constexpr int kWidth = 1600;
constexpr int kHeight = 900;

struct FrameFile {
    unsigned frame = 0;
    std::string path;
};

// One leg of a --play run: a scene change, its input from the leg's first frame, its length.
struct Leg {
    std::string scene;
    std::string inputFile;  // empty: no input
    unsigned frames = 0;
};

struct RunOptions {
    std::string assets = "assets";
    std::string scene = "scenes/splash";
    unsigned frames = 0;  // 0: run until the game quits or the window closes
    std::string inputFile;
    std::string dumpFile;
    std::vector<FrameFile> dumpsAt;
    std::vector<FrameFile> screenshots;
    std::vector<Leg> legs;  // --play; empty: one leg made of scene, inputFile and frames
    std::string legDumpPrefix;
    std::string rssLogFile;
    std::string frameHashFile;  // --frame-hashes: one hash of the whole dump per frame
    bool window = false;
    bool control = false;  // a pilot program plays through standard input and output
    bool help = false;
    bool watch = false;           // --watch: edits of the scene, its pictures and sounds show live
    bool check = false;           // --check: report the scenes' problems, run nothing
    bool workEveryFrame = false;  // --work-every-frame: no body repeats a frame at rest
    std::vector<std::string> checkScenes;  // the scenes --check names; empty: all of them
};

// Fills `options` from argv; on a bad command line returns false with `error` set. A
// screenshot or dump asked for past the run's last frame is such an error.
bool ParseOptions(int argc, const char* const* argv, RunOptions& options, std::string& error);

// The run's last frame as the command line fixes it: --frames, or the legs' frames added up;
// 0 when the run lasts until the game ends.
unsigned LastFrame(const RunOptions& options);

// The first screenshot or dump asked for after `lastFrame`, described for a message; empty
// when there is none.
std::string FrameNeverRun(const RunOptions& options, unsigned lastFrame);

extern const char* const kUsage;

}  // namespace VelaRun
