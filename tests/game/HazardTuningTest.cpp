// The optional fields that make a hazard gentler or harder than usual.
#include <gtest/gtest.h>

#include <vector>

#include "engine/entity/Entity.h"
#include "engine/graphics/Image.h"
#include "engine/scene/Resources.h"
#include "engine/scene/Scene.h"
#include "game/AutoCannon.h"
#include "game/Cannon.h"
#include "game/Patrol.h"
#include "support/FatalCatcher.h"
#include "tests/game/FlightTestSupport.h"

using namespace VelaEngine;
using namespace FlightTest;

using HazardTuningTest = FlightScene;

namespace {

std::string Turret(const char* name, const char* behaviour, const std::string& position,
                   const std::string& fields) {
    return EntityText(name, position) + "\tImage\n\t\tw\t120\n\t\th\t120\n\t\ttint\t0,0,1,1\n\t" +
           behaviour + "\n" + fields;
}

std::string SawText(const char* name, float y, const std::string& fields) {
    const std::string at = "0," + std::to_string(y);
    return EntityText(name, at) + "\tPatrol\n" + fields +
           EntityText(std::string(name) + " WPA", "1000," + std::to_string(y)) +
           EntityText(std::string(name) + " WPB", at);
}

// Quarter-second frames make the timers add up exactly: "fireEvery" 1 is passed at 1.25 s (frame
// 5), 0.5 at 0.75 s (frame 3). A range of 300 spares a plane at exactly 300.
TEST_F(HazardTuningTest, CannonsKeepTheirOwnPeriodAndRange) {
    const std::string slow = "\t\tfireEvery\t1\n\t\trange\t300\n";
    Start(EntityText("CannonBallGroup", "0,0") + Turret("Slow", "Cannon", "-299.9,0", slow) +
              Turret("Quick", "AutoCannon", "0,-299.9", "\t\tfireEvery\t0.5\n\t\trange\t300\n") +
              Turret("Spared", "AutoCannon", "0,300", slow) + EntityText("Airplane", "0,0"),
          4);
    std::vector<unsigned> slowShots;
    std::vector<unsigned> quickShots;
    Run(
        10, [](unsigned) {},
        [&](unsigned frame) {
            if (The<Game::Cannon>("Slow").fireTimer == 0.0f)
                slowShots.push_back(frame);
            if (The<Game::AutoCannon>("Quick").fireTimer == 0.0f)
                quickShots.push_back(frame);
            if (frame == 5) {
                // One ball from each cannon in range; the spared one only turns white.
                EXPECT_EQ(ChildrenOf("CannonBallGroup").size(), 2u);
                EXPECT_EQ(The<Graphics::Image>("Spared").GetTint(), Graphics::Color(1, 1, 1, 1));
            }
        });
    EXPECT_EQ(slowShots, (std::vector<unsigned>{5, 10}));
    EXPECT_EQ(quickShots, (std::vector<unsigned>{3, 6, 9}));
}

TEST_F(HazardTuningTest, ASawPatrolsAtItsOwnSpeedAndACopyKeepsIt) {
    Start(SawText("Quick", 0.0f, "\t\tspeed\t250\n") + SawText("Usual", 200.0f, ""));
    Run(
        30, [](unsigned) {}, [](unsigned) {});
    EXPECT_NEAR(Named("Quick").GetTransform().GetPosition().x, 125.0f, 1e-2);
    EXPECT_NEAR(Named("Usual").GetTransform().GetPosition().x, 50.0f, 1e-2);
    const auto copy = The<Game::Patrol>("Quick").Clone(&Named("Usual"));
    EXPECT_EQ(static_cast<Game::Patrol&>(*copy).speed, 250.0f);
}

// A zero period would fire every frame and a zero speed freeze the saw: the scene is wrong, and
// the message names the file and the line of the component.
TEST_F(HazardTuningTest, ZeroOrNegativeValuesAreContentErrors) {
    Start(EntityText("Empty", "0,0"));
    const std::string where = "\nin " + assets.Path() + "/scenes/bad.scene, line 5";
    const struct {
        std::string component;
        std::string message;
    } rows[] = {
        {"\tPatrol\n\t\tspeed\t0\n", "Patrol \"speed\" must be more than 0, not \"0\""},
        {"\tCannon\n\t\tfireEvery\t-1\n", "Cannon \"fireEvery\" must be more than 0, not \"-1\""},
        {"\tAutoCannon\n\t\trange\t-5\n", "AutoCannon \"range\" must be more than 0, not \"-5\""},
    };
    for (const auto& row : rows) {
        assets.Write("scenes/bad.scene", EntityText("Hazard", "0,0") + row.component);
        testing::internal::CaptureStdout();
        const std::string message = TestSupport::FatalMessageOf(
            [] { Resources::Get().Get<SceneManagement::Scene>("scenes/bad"); });
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(message, "Assertion in VEDebug.cpp line 35: " + row.message + where)
            << row.component;
    }
}

}  // namespace
