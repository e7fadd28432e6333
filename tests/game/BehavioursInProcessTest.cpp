// Behaviours of the fixture scenes with the engine in this process: cases that need frames
// longer than 1/60 s, or a look at a behaviour in the middle of a frame.
#include <gtest/gtest.h>

#include <functional>

#include "engine/entity/Transform.h"
#include "engine/entity/VelaBehavior.h"
#include "engine/graphics/Image.h"
#include "engine/scene/SceneManager.h"
#include "game/SplashFader.h"
#include "tests/game/FlightTestSupport.h"

using namespace FlightTest;
using namespace VelaEngine;

namespace VelaEngine {
void PrintTo(const Vector2& v, std::ostream* out) {
    *out << v.ToString();
}
}  // namespace VelaEngine

namespace {

using InProcess = FlightScene;

TEST_F(InProcess, TheSplashFaderFadesInHoldsAndFadesOut) {
    // Half-second frames: after frame k the card has shown k / 2 s.
    StartFixture("fader", 2);
    std::vector<float> levels;
    Run(7, nullptr, [&](unsigned) { levels.push_back(The<Graphics::Image>("Card").GetTint().a); });
    // 0.5 s, 1 s, 1.5 s, 2 s, 2.5 s, 3 s, 3.5 s.
    EXPECT_EQ(levels, (std::vector<float>{0.5f, 1.0f, 1.0f, 1.0f, 0.5f, 0.0f, 0.0f}));
    EXPECT_EQ(The<Graphics::Image>("Card").GetTint(), Graphics::Color(0.2f, 0.4f, 0.6f, 0.0f));
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

TEST_F(InProcess, HalfSecondFramesLandFollowPlaneOnThePointAheadOfThePlane) {
    StartFixture("follow", 2);
    std::vector<Vector2> camera;
    Run(3, nullptr, [&](unsigned) { camera.push_back(PositionOf("Cam")); });
    // The camera updates before the plane falls: first onto the resting plane, then onto
    // where the falling plane will be half a second on (at 0 going -100 units a second, then
    // at -100 going -200).
    EXPECT_EQ(camera, (std::vector<Vector2>{{100.0f, 50.0f}, {100.0f, -50.0f}, {100.0f, -200.0f}}));
}

TEST_F(InProcess, ShortFramesMoveFollowPlaneItsShareOfTheWay) {
    StartFixture("follow", 8);
    Run(1, nullptr, nullptr);
    // A quarter of the way from (-40, 20) to the resting plane at (100, 50).
    EXPECT_FLOAT_EQ(PositionOf("Cam").x, -5.0f);
    EXPECT_FLOAT_EQ(PositionOf("Cam").y, 27.5f);
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

TEST_F(InProcess, TheClickTinterTintsByTheHeldButtonsAndAClickMovesItUpBeforeItLeaves) {
    assets.Write("filey2.scene", "");
    factory = WatchingFactory;
    StartFixture("tinter_watch", 60);
    std::vector<float> heights;
    std::vector<Graphics::Color> tints;
    g_watch = [&] {
        heights.push_back(PositionOf("Tinter").y);
        tints.push_back(The<Graphics::Image>("Tinter").GetTint());
    };
    std::string scene;
    // The cursor rests on the button, at the screen's centre.
    Run(
        4,
        [](unsigned frame) {
            SetKey(kMouseRight, frame == 2);
            SetKey(kMouseLeft, frame == 4);
        },
        [&](unsigned) { scene = SceneManagement::SceneManager::Get().GetCurrentSceneName(); });
    // White with no button held, blue under the right one, red under the left one.
    const Graphics::Color white(1, 1, 1, 1);
    EXPECT_EQ(heights, (std::vector<float>{300.0f, 300.0f, 300.0f, 310.5f}));
    EXPECT_EQ(tints, (std::vector<Graphics::Color>{white, Graphics::Color(0, 0, 1, 1), white,
                                                   Graphics::Color(1, 0, 0, 1)}));
    EXPECT_EQ(scene, "filey2");
}

}  // namespace
