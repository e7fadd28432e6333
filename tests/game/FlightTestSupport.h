#pragma once
// Runs small scenes through the real engine offscreen, with the game's behaviours, scripted
// keys and mouse, and hooks around every frame: scenes built as text, or the fixture scenes.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine/core/Time.h"
#include "engine/entity/Entity.h"
#include "engine/entity/Transform.h"
#include "engine/physics/DynamicBody2D.h"
#include "game/GameFactory.h"
#include "game/PlaneRotator.h"
#include "platform/EBInput.h"
#include "support/EngineRun.h"
#include "support/TempFolder.h"
#include "support/VelaRunProcess.h"

namespace FlightTest {

// Win32 key codes the input states read.
constexpr unsigned char kMouseLeft = 0x01;
constexpr unsigned char kEscape = 0x1B;

// What the scripted input source hands the engine each frame.
inline EBInputSnapshot& ScriptedState() {
    static EBInputSnapshot state{};
    return state;
}
inline void SetKey(unsigned char key, bool down) {
    ScriptedState().keys[key] = down ? 0x80 : 0;
}
// Puts the cursor on a screen point: units from the centre of the 1600 x 900 window, y up.
inline void PointAt(float x, float y) {
    ScriptedState().cursorX = static_cast<int>(800.0f + x);
    ScriptedState().cursorY = static_cast<int>(450.0f - y);
}

// A click: the left button down in `frame` only, with the cursor on (x, y).
struct Click {
    unsigned frame;
    float x;
    float y;
};
// Input ahead of `frame` for a list of clicks.
inline void PlayClicks(unsigned frame, const std::vector<Click>& clicks) {
    SetKey(kMouseLeft, false);
    for (const Click& click : clicks) {
        if (click.frame == frame) {
            PointAt(click.x, click.y);
            SetKey(kMouseLeft, true);
        }
    }
}

// Scene text helpers: a root entity header with its three transform lines.
inline std::string EntityText(const std::string& name, const std::string& position,
                              float rotation = 0.0f) {
    return "Entity\t" + name + "\n\tt\t" + position + "\n\tr\t" + std::to_string(rotation) +
           "\n\ts\t1,1\n";
}
// The player's plane: mass 1, its collider, picture and sound source, and the controller.
inline std::string PlaneText(const std::string& position, float gravityScale = 1.0f,
                             bool controller = true) {
    return EntityText("Airplane", position) +
           "\tImage\n\t\tw\t96\n\t\th\t48\n"
           "\tCircleCollider\n\t\tradius\t18\n"
           "\tDynamicBody2D\n\t\tmass\t1\n\t\tgravityScale\t" +
           std::to_string(gravityScale) + "\n\tAudioSource\n" +
           (controller ? "\tPlaneRotator\n" : "");
}
inline std::string ManagerText() {
    return EntityText("Manager", "0,0") + "\tGameManager\n\t\tcurrentLevel\t1\n";
}

struct FlightScene : testing::Test {
    // The game's sprites, sounds and fonts, reached from a private asset folder.
    FlightScene() {
        for (const char* folder : {"sprites", "sounds", "fonts"}) {
            std::filesystem::create_directory_symlink(
                std::filesystem::path(FLEETWING_SOURCE_DIR "/assets") / folder,
                assets.File(folder));
        }
        ScriptedState() = EBInputSnapshot{};
        PointAt(0.0f, 0.0f);
    }

    // Loads the scene with the game's components; nothing has run yet. Every frame, the first too,
    // lasts 1 / framesPerSecond.
    void Start(const std::string& sceneText, unsigned framesPerSecond = 60) {
        assets.Write("scenes/level.scene", sceneText);
        Launch("scenes/level", framesPerSecond);
    }
    // Starts one of the fixture scenes in tests/game/scenes, which may lead to the others.
    void StartFixture(const std::string& name, unsigned framesPerSecond = 60) {
        std::filesystem::create_directory_symlink(FLEETWING_SOURCE_DIR "/tests/game/scenes",
                                                  assets.File("scenes"));
        Launch("scenes/" + name, framesPerSecond);
    }
    void Launch(const std::string& scene, unsigned framesPerSecond) {
        setenv("HOME", home.Path().c_str(), 1);
        EBInputSetSource([](EBInputSnapshot& snapshot) { snapshot = ScriptedState(); });
        TestSupport::EngineOptions options;
        options.assets = assets.Path();
        options.firstScene = scene;
        options.factory = Game::CreateGameComponent;
        TestSupport::StartEngine(options);
        VelaEngine::Time::Get().SetFrameRate(framesPerSecond);
    }
    // Lines of key, tab, value.
    void WriteRecords(const std::string& text) const {
        home.Write("VelaEngine/data/records/Fleetwing.record", text);
    }

    // Runs frames 1 to `last`; `before` runs ahead of each frame's input and time, `after`
    // once the frame is done.
    void Run(unsigned last, std::function<void(unsigned)> before,
             std::function<void(unsigned)> after) {
        TestSupport::RunFrames(last, std::move(after), std::move(before));
    }

    static VelaEngine::Entity& Named(const std::string& name) {
        VelaEngine::Entity* entity = VelaEngine::Entity::Find(name);
        if (entity == nullptr) {
            throw std::runtime_error("no entity named " + name);
        }
        return *entity;
    }
    template <class T>
    static T& The(const std::string& name) {
        T* found = Named(name).GetComponent<T>();
        if (found == nullptr) {
            throw std::runtime_error("no such component on " + name);
        }
        return *found;
    }
    static Game::PlaneRotator& Plane() { return The<Game::PlaneRotator>("Airplane"); }
    static VelaEngine::DynamicBody2D& PlaneBody() {
        return The<VelaEngine::DynamicBody2D>("Airplane");
    }
    static std::vector<VelaEngine::Entity*> ChildrenOf(const std::string& name) {
        std::vector<VelaEngine::Entity*> children;
        for (const auto& child : Named(name).GetChildren()) {
            children.push_back(child.get());
        }
        return children;
    }
    static VelaEngine::Vector2 PositionOf(const std::string& name) {
        return Named(name).GetTransform().GetPosition();
    }

    TestSupport::TempFolder assets;
    TestSupport::TempFolder home;
};

}  // namespace FlightTest
