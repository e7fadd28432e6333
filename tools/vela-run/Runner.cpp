#include "tools/vela-run/Runner.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <vector>

#include "engine/core/Clock.h"
#include "engine/core/FrontEnd.h"
#include "game/GameStart.h"
#include "platform/EBGraphics.h"
#include "platform/EBImageFile.h"
#include "platform/EBInput.h"
#include "tools/vela-run/InputScript.h"
#include "tools/vela-run/SceneDump.h"

namespace VelaRun {

namespace {
constexpr int kWidth = 1600;
constexpr int kHeight = 900;

// The input source is a plain function; it reads the one script of this process.
InputScript* g_script = nullptr;
void ScriptedSource(EBInputSnapshot& snapshot) {
    snapshot = g_script->State();
}

bool ReadFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return true;
}

bool WriteScreenshot(const std::string& path) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(kWidth) * kHeight * 4);
    return EBGfxReadPixels(0, 0, kWidth, kHeight, pixels.data()) &&
           EBImageSavePNG(path.c_str(), pixels.data(), kWidth, kHeight);
}

bool WriteDump(const std::string& path, unsigned frame) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << DumpScene(frame) << '\n';
    return static_cast<bool>(out);
}

void StartEngine(const RunOptions& options) {
    Game::StartOptions start;
    start.assets = options.assets;
    start.firstScene = options.scene;
    start.width = static_cast<float>(kWidth);
    start.height = static_cast<float>(kHeight);
    Game::StartGame(start);
}
}  // namespace

int Run(const RunOptions& options) {
    // Scripts are checked before anything starts, so a typo costs no engine start-up.
    std::vector<InputCommand> commands;
    if (!options.inputFile.empty()) {
        std::string text;
        std::string error;
        if (!ReadFile(options.inputFile, text)) {
            std::cerr << "vela-run: cannot read input file " << options.inputFile << "\n";
            return 2;
        }
        if (!ParseInputScript(text, options.inputFile, commands, error)) {
            std::cerr << "vela-run: " << error << "\n";
            return 2;
        }
    }
    if (!options.window) {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    static VelaEngine::FixedStepClock clock;
    VelaEngine::SetClock(&clock);

    static std::unique_ptr<InputScript> script;
    script = std::make_unique<InputScript>(std::move(commands), kWidth, kHeight);
    g_script = script.get();
    EBInputSetSource(ScriptedSource);

    StartEngine(options);

    bool ok = true;
    unsigned lastFrame = 0;
    VelaEngine::FrameHooks hooks;
    hooks.beforeFrame = [](unsigned frame) { g_script->BeginFrame(frame); };
    hooks.beforePresent = [&](unsigned frame) {
        for (const FrameFile& shot : options.screenshots) {
            if (shot.frame == frame && !WriteScreenshot(shot.path)) {
                std::cerr << "vela-run: cannot write screenshot " << shot.path << "\n";
                ok = false;
            }
        }
    };
    hooks.afterFrame = [&](unsigned frame) {
        lastFrame = frame;
        for (const FrameFile& dump : options.dumpsAt) {
            if (dump.frame == frame && !WriteDump(dump.path, frame)) {
                std::cerr << "vela-run: cannot write dump " << dump.path << "\n";
                ok = false;
            }
        }
        if (options.frames != 0 && frame >= options.frames) {
            VelaEngine::FrontEnd::Get().Quit();
        }
    };
    VelaEngine::FrontEnd::Get().SetFrameHooks(hooks);
    VelaEngine::FrontEnd::Get().Run();

    if (!options.dumpFile.empty() && !WriteDump(options.dumpFile, lastFrame)) {
        std::cerr << "vela-run: cannot write dump " << options.dumpFile << "\n";
        ok = false;
    }
    return ok ? 0 : 1;
}

}  // namespace VelaRun
