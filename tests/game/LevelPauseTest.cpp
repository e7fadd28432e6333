// The level's one pause, in the game's own level scenes: Escape, P and the options window's
// Resume button drive it alike, and while it holds nothing of the level moves or counts down.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include "engine/audio/AudioClip.h"
#include "engine/audio/AudioManager.h"
#include "engine/entity/SceneRoots.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/scene/Resources.h"
#include "game/GameManager.h"
#include "game/Wind.h"
#include "platform/EBSystem.h"
#include "tests/game/FlightTestSupport.h"

using namespace FlightTest;
using namespace VelaEngine;

namespace {

constexpr unsigned char kKeyP = 0x50;

struct LevelPause : FlightScene {
    void StartLevel(int level) { StartScene("scenes/level" + std::to_string(level)); }
    void StartScene(const std::string& scene) {
        // The checks read the scene only: Mesa's no-op driver (where Mesa is the GL) makes a
        // frame cost game logic only.
        setenv("GALLIUM_NOOP", "1", 1);
        std::filesystem::create_directory_symlink(FLEETWING_SOURCE_DIR "/assets/scenes",
                                                  assets.File("scenes"));
        Launch(scene, 60);
    }
    void TearDown() override { EBSysSetWindowActive(1); }
    // A sound that loops for the whole run, so its channel shows the pause.
    void StartLoopingSound() {
        auto clip = Resources::Get().Get<Audio::AudioClip>("sounds/sfx/wind");
        ASSERT_NE(clip, nullptr);
        slot = Audio::AudioManager::Get().Play(*clip, 1.0f, true, nullptr);
        ASSERT_GE(slot, 0) << "no sound channel";
    }
    bool SoundPaused() const {
        bool paused = false;
        const auto& slots = Audio::AudioManager::Get().GetSlots();
        EBSoundChannelGetPaused(slots[static_cast<std::size_t>(slot)].channel, &paused);
        return paused;
    }
    static Game::GameManager& Manager() { return The<Game::GameManager>("GameManager"); }

    int slot = -1;
};

bool WindowShown() {
    return FlightScene::PositionOf("OptionsWindow") == Vector2(0.0f, 0.0f);
}

// Everything of the scene that can move or change with time, as text.
void Describe(const Entity& entity, const std::string& path, std::ostringstream& out) {
    const Transform& transform = entity.GetTransform();
    out << path << " " << transform.GetPosition().x << "," << transform.GetPosition().y << " "
        << transform.GetRotation();
    if (const auto* image = entity.GetComponent<Graphics::Image>()) {
        out << " tint " << image->GetTint().a;
    }
    if (const auto* particles = entity.GetComponent<Graphics::ParticleSystem>()) {
        out << " particles " << particles->GetParticles().size();
        for (const auto& particle : particles->GetParticles()) {
            out << " " << particle.position.x << "," << particle.position.y << ","
                << particle.colour.a;
        }
    }
    out << "\n";
    for (const auto& child : entity.GetChildren()) {
        Describe(*child, path + "/" + child->GetName(), out);
    }
}

std::string SceneState() {
    std::ostringstream out;
    for (const auto& root : *GetSceneRoots()) {
        Describe(*root, root->GetName(), out);
    }
    out << "countdown " << FlightScene::Plane().countdownLeft;
    return out.str();
}

// P works from the first frame, as Escape does. Then the three mixed sequences: P then Escape,
// Escape, P, Escape (then Escape to close), Escape then P; then P and a click on Resume, which
// resumes once the button is up (frame 191) and leaves the countdown running. Once the level
// has ended (frame 200), neither key does anything.
TEST_F(LevelPause, EscapePAndResumeDriveOneWindowOneFlagAndTheSound) {
    StartLevel(1);
    const std::map<unsigned, unsigned char> keys = {
        {10, kKeyP},  {20, kKeyP},    {100, kKeyP},   {110, kEscape}, {120, kEscape},
        {130, kKeyP}, {140, kEscape}, {150, kEscape}, {160, kEscape}, {170, kKeyP},
        {180, kKeyP}, {210, kKeyP},   {220, kEscape}};
    auto pausedIn = [](unsigned frame) {
        const unsigned ranges[][2] = {{10, 20},   {100, 110}, {120, 130},
                                      {140, 150}, {160, 170}, {180, 191}};
        for (const auto& range : ranges) {
            if (frame >= range[0] && frame < range[1]) {
                return true;
            }
        }
        return false;
    };
    Run(
        230,
        [&](unsigned frame) {
            SetKey(kKeyP, false);
            SetKey(kEscape, false);
            PlayClicks(frame, {{190, 0.0f, 10.0f}});
            if (auto key = keys.find(frame); key != keys.end()) {
                SetKey(key->second, true);
            }
            if (frame == 200) {
                Manager().levelEnded = true;
            }
        },
        [&](unsigned frame) {
            SCOPED_TRACE(frame);
            if (frame == 1) {
                StartLoopingSound();
            }
            const bool paused = pausedIn(frame);
            EXPECT_EQ(Time::Get().IsPaused(), paused);
            EXPECT_EQ(WindowShown(), paused);
            EXPECT_EQ(SoundPaused(), paused);
            EXPECT_EQ(Manager().optionsOpen, paused);
            EXPECT_EQ(The<Game::Wind>("CursorFan").showingCursor, paused);
            if (!paused && frame > 10) {
                EXPECT_EQ(PositionOf("OptionsWindow"), Vector2(100000000.0f, 9999999.0f));
            }
            // 300 frames of countdown at most have run by the end: it is never cut short.
            EXPECT_GT(Plane().countdownLeft, 0.0f);
        });
}

// Paused at "1" of the countdown in the last level, which has every kind of hazard: for three
// seconds nothing changes, then the countdown, the level's time and the rest go on from
// where they stood.
TEST_F(LevelPause, WhilePausedNothingOfTheLevelMovesOrCountsDown) {
    StartLevel(8);
    std::string still;
    float countdownBefore = 0.0f;
    float startBefore = 0.0f;
    Run(
        400, [](unsigned frame) { SetKey(kEscape, frame == 200 || frame == 380); },
        [&](unsigned frame) {
            SCOPED_TRACE(frame);
            if (frame == 199) {
                countdownBefore = Plane().countdownLeft;
                startBefore = Manager().levelStartTime;
                EXPECT_GT(The<Graphics::Image>("g1").GetTint().a, 0.9f);
            }
            if (frame == 201) {
                still = SceneState();
            }
            if (frame > 201 && frame < 380) {
                ASSERT_EQ(SceneState(), still);
            }
            if (frame == 381) {
                // Frame 200 still ran its flight before the manager paused; 381 is one more.
                EXPECT_NEAR(Plane().countdownLeft, countdownBefore - 2.0f / 60.0f, 1e-4);
                EXPECT_NEAR(Manager().levelStartTime - startBefore, 180.0f / 60.0f, 1e-3);
                // Still "1": 3.35 s of the countdown have run, not 6.35.
                EXPECT_GT(The<Graphics::Image>("g1").GetTint().a, 0.9f);
            }
        });
    EXPECT_NE(SceneState(), still) << "the level goes on after the pause";
}

// Losing the window's focus in flight opens the same pause as Escape: the plane stands still.
// Regaining the focus leaves the pause to the player, a loss while paused does not toggle it,
// and once the level has ended (frame 210) a loss does nothing.
TEST_F(LevelPause, LosingTheFocusInFlightPausesTheLevelUntilThePlayerResumes) {
    StartLevel(1);
    auto away = [](unsigned frame) {
        return (frame >= 110 && frame < 130) || (frame >= 170 && frame < 180) || frame >= 220;
    };
    auto pausedIn = [](unsigned frame) {
        return (frame >= 110 && frame < 150) || (frame >= 160 && frame < 190);
    };
    Vector2 heldAt;
    Run(
        230,
        [&](unsigned frame) {
            EBSysSetWindowActive(away(frame) ? 0 : 1);
            // A click once the countdown may be skipped starts the flight at once.
            PlayClicks(frame, {{95, 0.0f, -300.0f}});
            SetKey(kEscape, frame == 150 || frame == 160 || frame == 190);
            if (frame == 210) {
                Manager().levelEnded = true;
            }
        },
        [&](unsigned frame) {
            SCOPED_TRACE(frame);
            const bool paused = pausedIn(frame);
            EXPECT_EQ(Time::Get().IsPaused(), paused);
            EXPECT_EQ(WindowShown(), paused);
            EXPECT_EQ(Manager().optionsOpen, paused);
            if (frame == 109) {
                EXPECT_GE(Manager().flightStartTime, 0.0f) << "in flight";
            }
            if (frame == 110) {
                heldAt = PositionOf("Airplane");
            }
            if (frame > 110 && frame < 150) {
                EXPECT_EQ(PositionOf("Airplane"), heldAt);
            }
        });
    EXPECT_NE(PositionOf("Airplane"), heldAt) << "the flight goes on after the pause";
}

// The countdown waits too: a player who switched away before the start misses nothing.
TEST_F(LevelPause, LosingTheFocusInTheCountdownHoldsTheCountdown) {
    StartLevel(1);
    float countdown = 0.0f;
    Run(
        60, [](unsigned frame) { EBSysSetWindowActive(frame >= 10 ? 0 : 1); },
        [&](unsigned frame) {
            SCOPED_TRACE(frame);
            EXPECT_EQ(Time::Get().IsPaused(), frame >= 10);
            if (frame == 10) {
                countdown = Plane().countdownLeft;
                EXPECT_GT(countdown, 0.0f);
            }
            if (frame > 10) {
                EXPECT_EQ(Plane().countdownLeft, countdown);
            }
        });
}

// In a menu nothing pauses: the screens go on and keep answering.
TEST_F(LevelPause, LosingTheFocusInAMenuPausesNothing) {
    StartScene("scenes/menu");
    Run(
        60, [](unsigned frame) { EBSysSetWindowActive(frame >= 20 ? 0 : 1); },
        [](unsigned frame) {
            SCOPED_TRACE(frame);
            EXPECT_FALSE(Time::Get().IsPaused());
        });
}

}  // namespace
