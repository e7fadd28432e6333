#include "tools/vela-run/ControlRunner.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "engine/core/Clock.h"
#include "engine/core/FrontEnd.h"
#include "game/GameStart.h"
#include "platform/EBInput.h"
#include "tools/vela-run/ControlSession.h"
#include "tools/vela-run/LiveReload.h"
#include "tools/vela-run/Runner.h"

namespace VelaRun {

namespace {

ControlSession* g_session = nullptr;
void PilotSource(EBInputSnapshot& snapshot) {
    snapshot = g_session->State();
}

// The protocol keeps the original standard output to itself; whatever else writes to
// standard output (engine log lines, libraries) lands on standard error instead.
FILE* TakeStandardOutput() {
    std::cout.flush();
    std::fflush(stdout);
    const int protocol = fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    if (protocol < 0 || dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
        return nullptr;
    }
    return fdopen(protocol, "w");
}
}  // namespace

int RunControl(const RunOptions& options) {
    FILE* out = TakeStandardOutput();
    if (out == nullptr) {
        std::cerr << "vela-run: cannot set up the control streams\n";
        return 2;
    }
    // A pilot that goes away must end the run through a failed write, not a signal.
    std::signal(SIGPIPE, SIG_IGN);
    static std::unique_ptr<ControlSession> session;
    session = std::make_unique<ControlSession>(stdin, out);
    g_session = session.get();

    Game::StartOptions start;
    start.assets = options.assets;
    start.firstScene = options.scene;
    start.width = static_cast<float>(kWidth);
    start.height = static_cast<float>(kHeight);
    StartRunnerGame(options, start, PilotSource);

    unsigned lastFrame = 0;
    bool pilotDone = false;
    if (session->Serve(0)) {
        VelaEngine::FrameHooks hooks;
        // Between drawing and the swap, so a screenshot asked for now shows the last frame.
        hooks.beforePresent = [&](unsigned frame) {
            lastFrame = frame;
            session->FramesSawPresses();
            if (session->FrameRan(frame) && !session->Serve(frame)) {
                pilotDone = true;
                VelaEngine::FrontEnd::Get().Quit();
            }
        };
        std::unique_ptr<LiveReload> live = StartLiveReload(options);
        if (live != nullptr) {
            hooks.afterFrame = [&](unsigned) { live->AfterFrame(); };
        }
        VelaEngine::FrontEnd::Get().SetFrameHooks(hooks);
        VelaEngine::FrontEnd::Get().Run();
        if (!pilotDone) {
            session->ServeAfterEnd(lastFrame);
        }
    }
    Game::EndGame();
    std::fclose(out);
    return 0;
}

}  // namespace VelaRun
