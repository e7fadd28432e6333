// The options menu fixture: clicks on its buttons and what they leave in the scene and in
// the record file.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>

#include "engine/audio/AudioManager.h"
#include "engine/entity/Transform.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/Sprite.h"
#include "engine/input/Button.h"
#include "engine/input/ButtonLook.h"
#include "engine/persistence/Records.h"
#include "engine/physics/RectCollider.h"
#include "engine/scene/SceneManager.h"
#include "support/FatalCatcher.h"
#include "tests/game/FlightTestSupport.h"

using namespace FlightTest;
using namespace VelaEngine;

namespace {

std::string SpriteOf(const std::string& entity) {
    return FlightScene::The<Graphics::Image>(entity).GetSprite()->GetPath();
}

using Menu = FlightScene;

// One click every other frame: the skins, the volume, the mover, then Quit.
TEST_F(Menu, EveryButtonDoesItsPartAndQuitEndsTheLoopAfterItsFrame) {
    WriteRecords("planeSkin\t4\nvolume\t0.970000");
    StartFixture("menu");
    const std::vector<Click> clicks = {{3, 300, 300},  {5, -300, 300},   {7, 400, -300},
                                       {9, 400, -300}, {11, -400, -300}, {13, -600, 0},
                                       {17, 600, -400}};
    unsigned last = 0;
    Run(
        100, [&](unsigned frame) { PlayClicks(frame, clicks); },
        [&](unsigned frame) {
            last = frame;
            SCOPED_TRACE(frame);
            if (frame == 1) {
                EXPECT_TRUE(
                    SpriteOf("SkinPreview").ends_with("/sprites/gameplay/entities/ball4.png"));
                EXPECT_FLOAT_EQ(Audio::AudioManager::Get().GetVolume(), 0.97f);
                EXPECT_EQ(PositionOf("Early"), Vector2(700, 300));
            }
            if (frame == 3) {
                // The skins wrap from the last to the first and back.
                EXPECT_TRUE(SpriteOf("SkinPreview").ends_with("/ball1.png"));
            }
            if (frame == 9) {
                // The volume stops at one; the bar shows it between its ends.
                EXPECT_EQ(Audio::AudioManager::Get().GetVolume(), 1.0f);
                EXPECT_EQ(PositionOf("VolBar"), Vector2(200, -300));
            }
            if (frame == 12) {
                EXPECT_NEAR(PositionOf("VolBar").x, 180.0f, 1e-4);
                EXPECT_EQ(PositionOf("Cargo"), Vector2(0, -150));
            }
        });
    EXPECT_TRUE(SpriteOf("SkinPreview").ends_with("/ball4.png"));
    EXPECT_EQ(TestSupport::ReadRecords(home.Path()),
              (std::map<std::string, std::string>{{"planeSkin", "4"}, {"volume", "0.950000"}}));
    EXPECT_EQ(PositionOf("Cargo"), Vector2(700, 300));
    EXPECT_EQ(last, 17u);
}

// The switch shows the mode it turned on and saves it for the next start.
TEST_F(Menu, TheFullScreenButtonSwitchesShowsTheModeAndSavesIt) {
    StartFixture("menu");
    Run(
        3,
        [](unsigned frame) {
            PlayClicks(frame, {{3, 0, 150}});
        },
        [](unsigned frame) {
            if (frame == 1) {
                EXPECT_TRUE(SpriteOf("Fullscreen").ends_with("/sprites/buttons/fullscreenoff.png"));
            }
        });
    EXPECT_TRUE(SpriteOf("Fullscreen").ends_with("/sprites/buttons/fullscreenon.png"));
    EXPECT_EQ(TestSupport::ReadRecords(home.Path()),
              (std::map<std::string, std::string>{{"fullScreen", "t"}}));
}

// The ghost is on until switched off; each click flips it, shows it and saves it.
TEST_F(Menu, TheGhostButtonSwitchesShowsTheChoiceAndSavesIt) {
    StartFixture("menu");
    Run(
        5,
        [](unsigned frame) {
            PlayClicks(frame, {{3, 600, 150}, {5, 600, 150}});
        },
        [&](unsigned frame) {
            if (frame == 1) {
                EXPECT_TRUE(SpriteOf("GhostSwitch").ends_with("/sprites/buttons/ghoston.png"));
                EXPECT_TRUE(TestSupport::ReadRecords(home.Path()).empty());
            }
            if (frame == 3) {
                EXPECT_TRUE(SpriteOf("GhostSwitch").ends_with("/sprites/buttons/ghostoff.png"));
                EXPECT_EQ(TestSupport::ReadRecords(home.Path()),
                          (std::map<std::string, std::string>{{"ghost", "f"}}));
            }
        });
    EXPECT_TRUE(SpriteOf("GhostSwitch").ends_with("/sprites/buttons/ghoston.png"));
    EXPECT_EQ(TestSupport::ReadRecords(home.Path()),
              (std::map<std::string, std::string>{{"ghost", "t"}}));
}

// A record file that could not be read whole is not saved over by the reset either: the
// player never saw what it holds. The reset clears this run's values and says so.
TEST_F(Menu, AResetClearsTheRunButKeepsARecordFileThatCouldNotBeRead) {
    const std::string text = "planeSkin\t3\n" + std::string(17 << 20, 'z');
    WriteRecords(text);
    StartFixture("menu");
    EXPECT_EQ(Records::Get().GetInt("planeSkin", 0), 3);
    Run(
        4,
        [](unsigned frame) {
            PlayClicks(frame, {{3, 0, 0}});
        },
        nullptr);
    EXPECT_EQ(PositionOf("DataResetWindow"), Vector2(0, 0));
    EXPECT_EQ(Records::Get().GetInt("planeSkin", 0), 0) << "this run's values are cleared";
    EXPECT_TRUE(TestSupport::ReadText(TestSupport::RecordPath(home.Path())) == text)
        << "the record file changed";
}

// The tinter shows the buttons held and steps up on each click of "Button"; holding the left
// button never leaves the scene.
TEST_F(Menu, TheClickTinterShowsTheButtonsHeldAndStaysInItsScene) {
    const std::string button =
        "\tCanvas\n\t\trenderMode\tScreenSpace\n\tImage\n\t\tw\t100\n\t\th\t100\n"
        "\tRectCollider\n\t\tw\t100\n\t\th\t100\n\tButton\n";
    Start(EntityText("Button", "300,0") + button + EntityText("Tinter", "0,0") +
          "\tImage\n\t\tw\t50\n\t\th\t50\n\tClickTinter\n");
    const Graphics::Color white(1, 1, 1, 1);
    const Graphics::Color red(1, 0, 0, 1);
    const Graphics::Color magenta(1, 0, 1, 1);
    const Graphics::Color blue(0, 0, 1, 1);
    const Graphics::Color tints[] = {white, red, red, magenta, blue, red, white};
    const std::string message = TestSupport::FatalMessageOf([&] {
        Run(
            7,
            [](unsigned frame) {
                PointAt(frame == 6 ? 300.0f : -300.0f, 0.0f);
                SetKey(kMouseLeft, (frame >= 2 && frame <= 4) || frame == 6);
                SetKey(0x02, frame == 4 || frame == 5);
            },
            [&](unsigned frame) {
                SCOPED_TRACE(frame);
                EXPECT_EQ(The<Graphics::Image>("Tinter").GetTint(), tints[frame - 1]);
                EXPECT_EQ(SceneManagement::SceneManager::Get().GetCurrentSceneName(),
                          "scenes/level");
            });
    });
    EXPECT_EQ(message, "");
    EXPECT_EQ(PositionOf("Tinter"), Vector2(0.0f, 10.5f));
}

// A screen-space button root: w x h at (x, y), its picture and tint, and the look's fields.
std::string ButtonText(const std::string& name, const std::string& at, const std::string& image,
                       const std::string& look) {
    return EntityText(name, at) + "\tCanvas\n\t\trenderMode\tScreenSpace\n\tImage\n" + image +
           "\t\tw\t100\n\t\th\t100\n\tRectCollider\n\t\tw\t100\n\t\th\t100\n\tButton\n"
           "\tButtonLook\n" +
           look;
}

using UI::PointerLook;

// Hovered a button brightens and grows; pressed it darkens to its own size; only the button
// that took the press looks pressed, and only the upper of two overlapping ones answers.
TEST_F(Menu, ButtonsAnswerTheHoverAndThePressOfThePointer) {
    Start(ButtonText("Lower", "0,0", "\t\ttint\t0.5,0.5,0.5,1\n", "") +
          ButtonText("Upper", "80,0", "\t\tSprite\tsprites/buttons/play\n",
                     "\t\thoverSprite\tsprites/buttons/back\n\t\tpressedScale\t1.02\n"));
    struct Step {
        float x;
        bool held;
        PointerLook lower, upper;
    };
    // The lower one spans x -50..50, the upper one 30..130.
    const Step steps[] = {
        {-300, false, PointerLook::Normal, PointerLook::Normal},
        {0, false, PointerLook::Hovered, PointerLook::Normal},
        {40, false, PointerLook::Normal, PointerLook::Hovered},
        {40, true, PointerLook::Normal, PointerLook::Pressed},
        // Dragged off, the press stays with the upper one: the lower one only lights up.
        {0, true, PointerLook::Hovered, PointerLook::Normal},
        {40, true, PointerLook::Normal, PointerLook::Pressed},
        {40, false, PointerLook::Normal, PointerLook::Hovered},
        {-300, false, PointerLook::Normal, PointerLook::Normal},
    };
    const Graphics::Color grey(0.5f, 0.5f, 0.5f, 1.0f);
    const Graphics::Color white(1, 1, 1, 1);
    auto near = [](const Graphics::Color& a, const Graphics::Color& b) {
        return std::abs(a.r - b.r) < 1e-5f && std::abs(a.g - b.g) < 1e-5f &&
               std::abs(a.b - b.b) < 1e-5f && std::abs(a.a - b.a) < 1e-5f;
    };
    Run(
        8,
        [&](unsigned frame) {
            PointAt(steps[frame - 1].x, 0.0f);
            SetKey(kMouseLeft, steps[frame - 1].held);
        },
        [&](unsigned frame) {
            SCOPED_TRACE(frame);
            const Step& step = steps[frame - 1];
            EXPECT_EQ(The<UI::Button>("Lower").GetPointerLook(), step.lower);
            EXPECT_EQ(The<UI::Button>("Upper").GetPointerLook(), step.upper);
            EXPECT_EQ(The<UI::ButtonLook>("Lower").GetShownLook(), step.lower);
            EXPECT_EQ(The<UI::ButtonLook>("Upper").GetShownLook(), step.upper);
            const float lowerScale = step.lower == PointerLook::Hovered ? 1.06f : 1.0f;
            EXPECT_NEAR(Named("Lower").GetTransform().GetScale().x, lowerScale, 1e-6);
            EXPECT_NEAR(Named("Lower").GetTransform().GetScale().y, lowerScale, 1e-6);
            const Graphics::Color lowerTint = step.lower == PointerLook::Hovered
                                                  ? Graphics::Color(0.575f, 0.575f, 0.575f, 1.0f)
                                                  : grey;
            EXPECT_TRUE(near(The<Graphics::Image>("Lower").GetTint(), lowerTint));
            const float upperScale = step.upper == PointerLook::Hovered   ? 1.06f
                                     : step.upper == PointerLook::Pressed ? 1.02f
                                                                          : 1.0f;
            EXPECT_NEAR(Named("Upper").GetTransform().GetScale().x, upperScale, 1e-6);
            const Graphics::Color upperTint =
                step.upper == PointerLook::Hovered   ? Graphics::Color(1.15f, 1.15f, 1.15f, 1)
                : step.upper == PointerLook::Pressed ? Graphics::Color(0.78f, 0.78f, 0.82f, 1)
                                                     : white;
            EXPECT_TRUE(near(The<Graphics::Image>("Upper").GetTint(), upperTint));
            // Its own picture while hovered, its usual one otherwise.
            EXPECT_TRUE(SpriteOf("Upper").ends_with(step.upper == PointerLook::Hovered
                                                        ? "/sprites/buttons/back.png"
                                                        : "/sprites/buttons/play.png"));
        });
    EXPECT_EQ(The<UI::Button>("Upper").GetClickCount(), 1u);
    EXPECT_EQ(The<UI::Button>("Lower").GetClickCount(), 0u);
}

// The game's own menu scenes, as the scene tools made them.
struct GameMenus : FlightScene {
    void StartMenu(const std::string& scene) {
        std::filesystem::create_directory_symlink(FLEETWING_SOURCE_DIR "/assets/scenes",
                                                  assets.File("scenes"));
        Launch(scene, 60);
    }
    static std::string SceneNow() {
        return SceneManagement::SceneManager::Get().GetCurrentSceneName();
    }
};

// The reset dialog dims the options behind it and takes the clicks meant for them: the Back
// button, outside the dialog, neither lights up nor leaves until the dialog is answered.
TEST_F(GameMenus, TheResetDialogDimsTheScreenAndSwallowsClicksBehindIt) {
    StartMenu("scenes/options");
    const std::vector<Click> clicks = {{3, 0, -210}, {5, 0, -330}, {9, 130, -150}, {11, 0, -330}};
    Run(
        16,
        [&](unsigned frame) {
            PointAt(0, -330);
            PlayClicks(frame, clicks);
        },
        [&](unsigned frame) {
            SCOPED_TRACE(frame);
            if (frame >= 3 && frame <= 8) {
                EXPECT_EQ(PositionOf("ResetConfirmWindow"), Vector2(0, 0));
                EXPECT_EQ(The<UI::Button>("BackButton").GetPointerLook(), PointerLook::Normal);
                EXPECT_EQ(SceneNow(), "scenes/options");
            }
            if (frame == 10) {
                EXPECT_EQ(The<UI::Button>("BackButton").GetPointerLook(), PointerLook::Hovered);
                EXPECT_EQ(The<UI::Button>("BackButton").GetClickCount(), 0u);
            }
        });
    EXPECT_EQ(SceneNow(), "scenes/menu");
}

// Every dialog of the menus and levels: a screen-wide translucent veil drawn under its own
// picture, and a click area as wide. The scene is looked at as loaded, before any frame.
struct Dialogs {
    const char* scene;
    std::vector<std::string> windows;
};
void PrintTo(const Dialogs& dialogs, std::ostream* out) {
    *out << dialogs.scene;
}
class DialogsOf : public GameMenus, public testing::WithParamInterface<Dialogs> {};

TEST_P(DialogsOf, EveryDialogHasAVeilUnderItAndAScreenWideClickArea) {
    StartMenu(GetParam().scene);
    for (const std::string& name : GetParam().windows) {
        SCOPED_TRACE(name);
        std::vector<Graphics::Image*> images;
        for (const auto& component : Named(name).GetComponents()) {
            if (auto* image = dynamic_cast<Graphics::Image*>(component.get())) {
                images.push_back(image);
            }
        }
        ASSERT_EQ(images.size(), 2u);
        EXPECT_EQ(images[0]->GetSprite(), nullptr);
        EXPECT_GE(images[0]->GetWidth(), 3200.0f);
        EXPECT_GE(images[0]->GetHeight(), 1800.0f);
        EXPECT_GT(images[0]->GetTint().a, 0.3f);
        EXPECT_LT(images[0]->GetTint().a, 0.9f);
        ASSERT_NE(images[1]->GetSprite(), nullptr);
        EXPECT_NE(images[1]->GetSprite()->GetPath().find("/sprites/ui/window_"), std::string::npos);
        auto* area = Named(name).GetComponent<Collision::RectCollider>();
        ASSERT_NE(area, nullptr);
        EXPECT_GE(area->GetWidth(), 3200.0f);
        EXPECT_GE(area->GetHeight(), 1800.0f);
        EXPECT_NE(Named(name).GetComponent<UI::Button>(), nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Scenes, DialogsOf,
    testing::Values(Dialogs{"scenes/options", {"ResetConfirmWindow", "DataResetWindow"}},
                    Dialogs{"scenes/level1", {"WinWindow", "LoseWindow", "OptionsWindow"}},
                    Dialogs{"scenes/level8", {"WinWindow", "LoseWindow", "OptionsWindow"}}),
    [](const testing::TestParamInfo<Dialogs>& info) {
        return std::string(info.param.scene).substr(7);
    });

// Escape presses Back in every menu screen, which leads to the main menu; the main menu stays.
class EscapeInMenus : public GameMenus, public testing::WithParamInterface<const char*> {};

TEST_P(EscapeInMenus, EscapeLeadsBackToTheMainMenu) {
    StartMenu(GetParam());
    unsigned last = 0;
    Run(
        8, [](unsigned frame) { SetKey(0x1B, frame == 3); },
        [&](unsigned frame) {
            last = frame;
            if (frame < 3) {
                EXPECT_EQ(SceneNow(), GetParam());
            }
        });
    EXPECT_EQ(SceneNow(), "scenes/menu");
    EXPECT_EQ(last, 8u) << "Escape must not quit";
}

INSTANTIATE_TEST_SUITE_P(Menus, EscapeInMenus,
                         testing::Values("scenes/levelselect", "scenes/skins", "scenes/options",
                                         "scenes/credits", "scenes/menu"));

}  // namespace
