#include "tools/vela-run/Runner.h"

#include <cstdlib>
#include <iostream>
#include <memory>
#include <vector>

#include "engine/core/Clock.h"
#include "engine/core/FrontEnd.h"
#include "game/GameStart.h"
#include "platform/EBInput.h"
#include "tools/vela-run/FrameHashes.h"
#include "tools/vela-run/LegPlayer.h"
#include "tools/vela-run/LiveReload.h"
#include "tools/vela-run/SceneDump.h"
#include "tools/vela-run/Screenshot.h"

namespace VelaRun {

namespace {

// The input source is a plain function; it reads the current leg's script.
LegPlayer* g_player = nullptr;
void ScriptedSource(EBInputSnapshot& snapshot) {
    snapshot = g_player->State();
}

bool WriteDumpsAt(const RunOptions& options, unsigned frame) {
    bool ok = true;
    for (const FrameFile& dump : options.dumpsAt) {
        if (dump.frame == frame && !WriteSceneDump(dump.path, frame)) {
            std::cerr << "vela-run: cannot write dump " << dump.path << "\n";
            ok = false;
        }
    }
    return ok;
}
}  // namespace

void StartRunnerGame(const RunOptions& options, const Game::StartOptions& start,
                     EBInputSource source) {
    if (!options.window) {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    static VelaEngine::FixedStepClock clock;
    VelaEngine::SetClock(&clock);
    EBInputSetSource(source);
    Game::StartGame(start);
}

int Run(const RunOptions& options) {
    // Scripts are checked before anything starts, so a typo costs no engine start-up.
    std::vector<PlannedLeg> legs;
    std::string error;
    if (!PlanLegs(options, legs, error)) {
        std::cerr << "vela-run: " << error << "\n";
        return 2;
    }
    Game::StartOptions start;
    start.assets = options.assets;
    start.firstScene = legs.front().scene;
    start.width = static_cast<float>(kWidth);
    start.height = static_cast<float>(kHeight);

    static std::unique_ptr<LegPlayer> player;
    player = std::make_unique<LegPlayer>(std::move(legs), options, start.seed);
    g_player = player.get();
    if (!player->Open()) {
        std::cerr << "vela-run: cannot write " << options.rssLogFile << "\n";
        return 2;
    }
    FrameHashLog hashes(options.frameHashFile, options.assets);
    if (!hashes.Ok()) {
        std::cerr << "vela-run: cannot write " << options.frameHashFile << "\n";
        return 2;
    }
    StartRunnerGame(options, start, ScriptedSource);

    bool ok = true;
    unsigned lastFrame = 0;
    VelaEngine::FrameHooks hooks;
    hooks.beforeFrame = [](unsigned frame) { g_player->BeginFrame(frame); };
    hooks.beforePresent = [&](unsigned frame) {
        for (const FrameFile& shot : options.screenshots) {
            if (shot.frame == frame && !WriteScreenshot(shot.path)) {
                std::cerr << "vela-run: cannot write screenshot " << shot.path << "\n";
                ok = false;
            }
        }
    };
    std::unique_ptr<LiveReload> live = StartLiveReload(options);
    hooks.afterFrame = [&](unsigned frame) {
        if (live != nullptr) {
            live->AfterFrame();
        }
        lastFrame = frame;
        hashes.AfterFrame(frame);
        // Dumps asked for by frame see the leg that ran it, before any change of leg.
        ok = WriteDumpsAt(options, frame) && ok;
        if (g_player->EndFrame(frame)) {
            VelaEngine::FrontEnd::Get().Quit();
        }
    };
    VelaEngine::FrontEnd::Get().SetFrameHooks(hooks);
    VelaEngine::FrontEnd::Get().Run();

    if (!player->Finished()) {
        // The game quit or its window closed: a single run simply ends there, a --play run
        // did not play what it was asked to.
        const std::size_t leg = player->LegNumber();
        player->EndEarly(lastFrame);
        if (!options.legs.empty()) {
            std::cerr << "vela-run: the game ended in leg " << leg << " of " << player->LegCount()
                      << " (frame " << lastFrame << ")\n";
            ok = false;
        }
    }
    const std::string never = FrameNeverRun(options, lastFrame);
    if (!never.empty()) {
        std::cerr << "vela-run: the game ended at frame " << lastFrame << ", before " << never
                  << "\n";
        ok = false;
    }
    if (!options.dumpFile.empty() && !WriteSceneDump(options.dumpFile, lastFrame)) {
        std::cerr << "vela-run: cannot write dump " << options.dumpFile << "\n";
        ok = false;
    }
    if (!hashes.Ok()) {
        std::cerr << "vela-run: cannot write " << options.frameHashFile << "\n";
        ok = false;
    }
    const bool passed = ok && player->Ok();
    // Everything closes here, in order, not from the exit handlers after main.
    Game::EndGame();
    return passed ? 0 : 1;
}

}  // namespace VelaRun
