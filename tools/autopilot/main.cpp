// autopilot: flies one level headless along its route file and writes what it did as a
// vela-run input script.
//
//   autopilot --scene scenes/level3 --route tools/autopilot/routes/level3.route
//             [--gates 400,910] [--out level3.input] [--trace path.txt] [--assets assets]
//             [--max-frames 6000]
//
// The run is the same as vela-run's (fixed 1/60 s frames, seed 1, the same start-up values),
// so the script replays it exactly. It prints one line:
//   result=win|lose|gate|timeout frame=F stars=S rescued=0|1 leg=L gate=G
// "gate" means the plane reached gate G, which has no departure frame yet, in frame F.
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/core/Clock.h"
#include "engine/core/FrontEnd.h"
#include "engine/entity/Entity.h"
#include "engine/entity/Transform.h"
#include "engine/physics/DynamicBody2D.h"
#include "game/GameManager.h"
#include "game/GameStart.h"
#include "game/SceneQueries.h"
#include "platform/EBInput.h"
#include "tools/autopilot/Pilot.h"
#include "tools/autopilot/Route.h"
#include "tools/autopilot/ScriptWriter.h"

namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 900;
constexpr unsigned char kMouseLeft = 0x01;
// Frames kept after the level ends, so a replay's last picture shows its window.
constexpr unsigned kTailFrames = 30;

struct Options {
    std::string assets = "assets";
    std::string scene;
    std::string route;
    std::string out;
    std::string trace;
    std::vector<unsigned> gates;
    unsigned maxFrames = 6000;
};

EBInputSnapshot g_snapshot{};
void Source(EBInputSnapshot& snapshot) {
    snapshot = g_snapshot;
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

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        const std::string value = argv[i + 1];
        if (key == "--assets") {
            options.assets = value;
        } else if (key == "--scene") {
            options.scene = value;
        } else if (key == "--route") {
            options.route = value;
        } else if (key == "--out") {
            options.out = value;
        } else if (key == "--trace") {
            options.trace = value;
        } else if (key == "--max-frames") {
            options.maxFrames = static_cast<unsigned>(std::atoi(value.c_str()));
        } else if (key == "--gates") {
            std::istringstream in(value);
            std::string piece;
            while (std::getline(in, piece, ',')) {
                if (!piece.empty()) {
                    options.gates.push_back(static_cast<unsigned>(std::atoi(piece.c_str())));
                }
            }
        } else {
            return false;
        }
    }
    return argc % 2 == 1 && !options.scene.empty() && !options.route.empty();
}

// The same start-up values as vela-run, so that a recorded script replays the same flight.
void StartEngine(const Options& options) {
    Game::StartOptions start;
    start.assets = options.assets;
    start.firstScene = options.scene;
    start.width = static_cast<float>(kWidth);
    start.height = static_cast<float>(kHeight);
    Game::StartGame(start);
}

Autopilot::Vec PositionOf(const char* name) {
    VelaEngine::Entity* entity = VelaEngine::Entity::Find(name);
    if (entity == nullptr) {
        return {};
    }
    const VelaEngine::Vector2& p = entity->GetTransform().GetPosition();
    return {p.x, p.y};
}

Autopilot::Observation Observe(unsigned frame) {
    Autopilot::Observation seen;
    seen.frame = frame;
    seen.plane = PositionOf("Airplane");
    seen.camera = PositionOf("MainCamera");
    if (VelaEngine::Entity* plane = VelaEngine::Entity::Find("Airplane")) {
        if (auto* body = plane->GetComponent<VelaEngine::DynamicBody2D>()) {
            seen.velocity = {body->GetVelocity().x, body->GetVelocity().y};
            seen.body = {body->GetMass(), body->GetGravityScale(), body->GetLinearDrag()};
        }
    }
    return seen;
}

struct Outcome {
    std::string result = "timeout";
    unsigned frame = 0;
    int stars = 0;
    bool rescued = false;
};

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::cerr << "usage: autopilot --scene NAME --route FILE [--gates F1,F2,...] "
                     "[--out FILE] [--trace FILE] [--assets DIR] [--max-frames N]\n";
        return 2;
    }
    std::string routeText;
    std::string error;
    std::vector<Autopilot::Leg> legs;
    if (!ReadFile(options.route, routeText) || !Autopilot::ParseRoute(routeText, legs, error)) {
        std::cerr << "autopilot: " << options.route << ": "
                  << (error.empty() ? "unreadable" : error) << "\n";
        return 2;
    }
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    static VelaEngine::FixedStepClock clock;
    VelaEngine::SetClock(&clock);
    g_snapshot.cursorX = kWidth / 2;
    g_snapshot.cursorY = kHeight / 2;
    EBInputSetSource(Source);
    StartEngine(options);

    Autopilot::Pilot pilot(legs, options.gates);
    Autopilot::ScriptWriter script;
    Outcome outcome;
    unsigned endFrame = 0;
    Autopilot::Vec lastPlane = PositionOf("Airplane");
    std::ofstream trace;
    if (!options.trace.empty()) {
        trace.open(options.trace, std::ios::trunc);
    }

    VelaEngine::FrameHooks hooks;
    hooks.beforeFrame = [&](unsigned frame) {
        if (endFrame != 0) {
            return;  // the level is over: hands off
        }
        const Autopilot::FanInput fan = pilot.Steer(Observe(frame - 1));
        script.Record(frame, fan);
        g_snapshot.keys[kMouseLeft] = fan.blow ? 0x80 : 0;
        g_snapshot.cursorX = script.CursorX() + kWidth / 2;
        g_snapshot.cursorY = kHeight / 2 - script.CursorY();
    };
    hooks.afterFrame = [&](unsigned frame) {
        const Autopilot::Vec plane = PositionOf("Airplane");
        if (trace.is_open()) {
            trace << frame << ' ' << plane.x << ' ' << plane.y << '\n';
        }
        // A rescue puts the plane back on the checkpoint in one jump.
        if (std::hypot(plane.x - lastPlane.x, plane.y - lastPlane.y) > 150.0f && frame > 1) {
            outcome.rescued = true;
        }
        lastPlane = plane;
        Game::GameManager* manager = Game::FindInScene<Game::GameManager>();
        if (manager != nullptr) {
            outcome.stars = manager->starsFound;
        }
        if (endFrame == 0 && manager != nullptr && manager->levelEnded) {
            endFrame = frame;
            const Autopilot::Vec window = PositionOf("WinWindow");
            outcome.result = window.x == 0.0f && window.y == 0.0f ? "win" : "lose";
            outcome.frame = frame;
        }
        if (endFrame == 0 && pilot.OpenGate() != 0) {
            outcome.result = "gate";
            outcome.frame = pilot.OpenGateFrame();
            VelaEngine::FrontEnd::Get().Quit();
        }
        if ((endFrame != 0 && frame >= endFrame + kTailFrames) || frame >= options.maxFrames) {
            if (endFrame == 0) {
                outcome.frame = frame;
            }
            VelaEngine::FrontEnd::Get().Quit();
        }
    };
    VelaEngine::FrontEnd::Get().SetFrameHooks(hooks);
    VelaEngine::FrontEnd::Get().Run();

    if (!options.out.empty()) {
        std::ofstream out(options.out, std::ios::binary | std::ios::trunc);
        out << script.Text(options.scene, endFrame + kTailFrames);
    }
    std::cout << "result=" << outcome.result << " frame=" << outcome.frame
              << " stars=" << outcome.stars << " rescued=" << (outcome.rescued ? 1 : 0)
              << " leg=" << pilot.LegIndex() << " gate=" << pilot.OpenGate() << "\n";
    Game::EndGame();
    return 0;
}
