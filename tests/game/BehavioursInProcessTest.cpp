// Behaviours with the engine in this process: cases that need frames longer than 1/60 s, or
// a look at a behaviour in the middle of a frame.
#include <gtest/gtest.h>

#include <functional>

#include "engine/entity/Transform.h"
#include "engine/entity/VelaBehavior.h"
#include "engine/graphics/Image.h"
#include "game/SplashFader.h"
#include "tests/game/GameEngineSupport.h"

using namespace GameTest;
using namespace VelaEngine;

namespace VelaEngine {
void PrintTo(const Vector2& v, std::ostream* out) {
    *out << v.ToString();
}
}  // namespace VelaEngine

namespace {

TEST(SplashFader, FadesInHoldsAndFadesOut) {
    // Half-second frames from frame 2: after frame k the card has shown (k - 1) / 2 s.
    SceneInProcess card("fader", 0.5);
    std::vector<float> levels;
    Graphics::Color last;
    card.Run(8, [&](unsigned frame) {
        if (frame >= 2) {
            last = Find<Graphics::Image>("Card")->GetTint();
            levels.push_back(last.a);
        }
    });
    // 0.5 s, 1 s, 1.5 s, 2 s, 2.5 s, 3 s, 3.5 s.
    EXPECT_EQ(levels, (std::vector<float>{0.5f, 1.0f, 1.0f, 1.0f, 0.5f, 0.0f, 0.0f}));
    EXPECT_EQ(last, Graphics::Color(0.2f, 0.4f, 0.6f, 0.0f));
}

TEST(SplashFader, EmptyRampsSwitchAtOnce) {
    Game::SplashFader fader(Entity::Create("Card").get());
    fader.fadeInStart = fader.fadeInEnd = 1.0f;
    fader.fadeOutStart = fader.fadeOutEnd = 2.0f;
    EXPECT_EQ(fader.LevelAt(0.999f), 0.0f);
    EXPECT_EQ(fader.LevelAt(1.0f), 1.0f);
    EXPECT_EQ(fader.LevelAt(1.999f), 1.0f);
    EXPECT_EQ(fader.LevelAt(2.0f), 0.0f);
}

TEST(FollowPlane, HalfSecondFramesLandOnThePointAheadOfThePlane) {
    SceneInProcess chase("follow", 0.5);
    std::vector<Vector2> camera;
    chase.Run(4, [&](unsigned frame) {
        if (frame >= 2) {
            camera.push_back(Entity::Find("Cam")->GetTransform().GetPosition());
        }
    });
    // The camera updates before the plane falls: first onto the resting plane, then onto
    // where the falling plane will be half a second on (at 0 going -100 units a second, then
    // at -100 going -200).
    ASSERT_EQ(camera.size(), 3u);
    EXPECT_EQ(camera[0], Vector2(100.0f, 50.0f));
    EXPECT_EQ(camera[1], Vector2(100.0f, -50.0f));
    EXPECT_EQ(camera[2], Vector2(100.0f, -200.0f));
}

TEST(FollowPlane, ShortFramesCoverTheirShareOfTheWay) {
    SceneInProcess chase("follow", 0.125);
    Vector2 camera;
    chase.Run(2, [&](unsigned) { camera = Entity::Find("Cam")->GetTransform().GetPosition(); });
    // A quarter of the way from (-40, 20) to the resting plane at (100, 50).
    EXPECT_FLOAT_EQ(camera.x, -5.0f);
    EXPECT_FLOAT_EQ(camera.y, 27.5f);
}

// Calls the test's function in its update, after every root before it has updated.
std::function<void()> g_watch;

class Watch : public VelaBehavior {
public:
    using VelaBehavior::VelaBehavior;
    const char* GetTypeName() const override { return "Watch"; }
    std::shared_ptr<Component> Clone(Entity* owner) const override {
        return std::make_shared<Watch>(owner);
    }
    void Update() override { g_watch(); }
};

Component* WatchingFactory(const std::string& type, Entity& owner) {
    return type == "Watch" ? owner.AddComponent<Watch>() : Game::CreateGameComponent(type, owner);
}

TEST(ClickTinter, TintsByTheHeldButtonsAndAClickOnItsButtonMovesItUpBeforeItLeaves) {
    SceneInProcess tinter("tinter_watch", 1.0 / 60.0);
    tinter.factory = WatchingFactory;
    std::vector<float> heights;
    std::vector<Graphics::Color> tints;
    g_watch = [&] {
        heights.push_back(Entity::Find("Tinter")->GetTransform().GetPosition().y);
        tints.push_back(Find<Graphics::Image>("Tinter")->GetTint());
    };
    std::string scene;
    tinter.Run(
        5, [&](unsigned) { scene = SceneManagement::SceneManager::Get().GetCurrentSceneName(); },
        [](unsigned frame) {
            g_input.cursorX = 800;  // the screen's centre, on the button
            g_input.cursorY = 450;
            g_input.keys[0x02] = frame == 3 ? 0x80 : 0;
            g_input.keys[0x01] = frame == 5 ? 0x80 : 0;
        });
    // White with no button held, blue under the right one, red under the left one.
    const Graphics::Color white(1, 1, 1, 1);
    EXPECT_EQ(heights, (std::vector<float>{300.0f, 300.0f, 300.0f, 310.5f}));
    EXPECT_EQ(tints, (std::vector<Graphics::Color>{white, Graphics::Color(0, 0, 1, 1), white,
                                                   Graphics::Color(1, 0, 0, 1)}));
    EXPECT_EQ(scene, "filey2");
}

}  // namespace
