#pragma once
// The runner's command line.
#include <string>
#include <vector>

namespace VelaRun {

struct FrameFile {
    unsigned frame = 0;
    std::string path;
};

struct RunOptions {
    std::string assets = "assets";
    std::string scene = "scenes/splash";
    unsigned frames = 0;  // 0: run until the game quits or the window closes
    std::string inputFile;
    std::string dumpFile;
    std::vector<FrameFile> dumpsAt;
    std::vector<FrameFile> screenshots;
    bool window = false;
    bool help = false;
};

// Fills `options` from argv; on a bad command line returns false with `error` set.
bool ParseOptions(int argc, const char* const* argv, RunOptions& options, std::string& error);

extern const char* const kUsage;

}  // namespace VelaRun
