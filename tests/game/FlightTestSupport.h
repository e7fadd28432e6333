#pragma once
// Runs small level scenes through the real engine offscreen, with the game's behaviours,
// scripted keys and mouse, and hooks around every frame.
#include <filesystem>
#include <functional>
#include <string>

#include "engine/core/Time.h"
#include "engine/entity/Entity.h"
#include "engine/entity/Transform.h"
#include "engine/physics/DynamicBody2D.h"
#include "game/DestroyAfter.h"
#include "game/GameFactory.h"
#include "game/GameManager.h"
#include "game/PlaneRotator.h"
#include "game/Wind.h"
#include "platform/EBInput.h"
#include "support/EngineRun.h"
#include "support/TempFolder.h"

namespace FlightTest {

// Win32 key codes the input states read.
constexpr unsigned char kMouseLeft = 0x01;
constexpr unsigned char kKeyP = 0x50;

inline EBInputSnapshot& ScriptedState() {
    static EBInputSnapshot state{};
    return state;
}
inline void ScriptedSource(EBInputSnapshot& snapshot) {
    snapshot = ScriptedState();
}
inline void SetKey(unsigned char key, bool down) {
    ScriptedState().keys[key] = down ? 0x80 : 0;
}

// Scene text helpers: an entity header with its three transform lines, at a depth.
inline std::string EntityText(const std::string& name, const std::string& position,
                              float rotation = 0.0f, int depth = 0) {
    const std::string tabs(static_cast<std::size_t>(depth), '\t');
    return tabs + "Entity\t" + name + "\n" + tabs + "\tt\t" + position + "\n" + tabs + "\tr\t" +
           std::to_string(rotation) + "\n" + tabs + "\ts\t1,1\n";
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
inline std::string ManagerText(int level = 1) {
    return EntityText("Manager", "0,0") + "\tGameManager\n\t\tcurrentLevel\t" +
           std::to_string(level) + "\n";
}

struct FlightScene : testing::Test {
    // The game's sprites and sounds, reached from a private asset folder.
    FlightScene() {
        const std::filesystem::path game = FLEETWING_SOURCE_DIR "/assets";
        std::filesystem::create_directory_symlink(game / "sprites",
                                                  std::filesystem::path(assets.Path()) / "sprites");
        std::filesystem::create_directory_symlink(game / "sounds",
                                                  std::filesystem::path(assets.Path()) / "sounds");
        ScriptedState() = EBInputSnapshot{};
        ScriptedState().cursorX = 800;
        ScriptedState().cursorY = 450;
    }

    // Loads the scene with the game's factory; nothing has run yet.
    void Start(const std::string& sceneText, unsigned framesPerSecond = 60) {
        assets.Write("scenes/level.scene", sceneText);
        setenv("HOME", home.Path().c_str(), 1);
        EBInputSetSource(ScriptedSource);
        TestSupport::EngineOptions options;
        options.assets = assets.Path();
        options.firstScene = "scenes/level";
        options.factory = Game::CreateGameComponent;
        TestSupport::StartEngine(options);
        VelaEngine::Time::Get().SetFrameRate(framesPerSecond);
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
    static VelaEngine::Vector2 PositionOf(const std::string& name) {
        return Named(name).GetTransform().GetPosition();
    }

    TestSupport::TempFolder assets;
    TestSupport::TempFolder home;
};

}  // namespace FlightTest
