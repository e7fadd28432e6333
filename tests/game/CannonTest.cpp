#include "game/Cannon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "engine/graphics/Image.h"
#include "engine/graphics/Sprite.h"
#include "engine/physics/CircleCollider.h"
#include "engine/scene/Resources.h"
#include "game/AutoCannon.h"
#include "game/DestroyAfter.h"
#include "tests/game/FlightTestSupport.h"

using namespace VelaEngine;
using namespace FlightTest;

using CannonTest = FlightScene;

namespace {

// The ball group, which comes first, so a new ball is not stepped in the frame that makes it.
const std::string kGroup = EntityText("CannonBallGroup", "0,0");

// A blue cannon.
std::string CannonText(const char* name, const char* behaviour, const std::string& position,
                       const std::string& extraFields = "") {
    return EntityText(name, position) + "\tImage\n\t\tw\t120\n\t\th\t120\n\t\ttint\t0,0,1,1\n\t" +
           behaviour + "\n" + extraFields;
}
}  // namespace

// The plane, a bare entity that balls pass through, is 799.9 units from the near pair of
// cannons and 800 from the far pair; a cannon turned up sits next to it. The first second is
// paused. Frames of a quarter second make the cannons' timers add up exactly.
TEST_F(CannonTest, CannonsFireAtAPlaneCloserThan800UnitsOnTheFramePastTheirPeriod) {
    Start(kGroup + CannonText("Fixed", "Cannon", "-799.9,0") +
              CannonText("Turret", "AutoCannon", "0,-799.9") +
              CannonText("Up", "Cannon", "30,-20", "\t\tangle\t90\n") +
              CannonText("FarFixed", "Cannon", "0,800") +
              CannonText("FarTurret", "AutoCannon", "0,-800") + EntityText("Airplane", "0,0"),
          4);
    std::vector<unsigned> fixedShots;
    std::vector<unsigned> turretShots;
    Run(
        22, [](unsigned frame) { Time::Get().SetPaused(frame <= 4); },
        [&](unsigned frame) {
            SCOPED_TRACE(frame);
            const float fixed = The<Game::Cannon>("Fixed").fireTimer;
            const float turret = The<Game::AutoCannon>("Turret").fireTimer;
            // Out of range the timers start again all the same, without a shot.
            EXPECT_EQ(The<Game::Cannon>("FarFixed").fireTimer, fixed);
            EXPECT_EQ(The<Game::AutoCannon>("FarTurret").fireTimer, turret);
            if (frame <= 4) {
                // Paused cannons neither aim nor count.
                EXPECT_EQ(fixed, 0.0f);
                EXPECT_EQ(turret, 0.0f);
                EXPECT_TRUE(ChildrenOf("CannonBallGroup").empty());
                EXPECT_EQ(Named("Turret").GetTransform().GetRotation(), 0.0f);
                EXPECT_EQ(Named("Up").GetTransform().GetRotation(), 90.0f);
                return;
            }
            if (fixed == 0.0f)
                fixedShots.push_back(frame);
            if (turret == 0.0f)
                turretShots.push_back(frame);
            if (frame == 12 || frame == 21) {
                EXPECT_EQ(turret, 2.0f);  // exactly 2 s is not past 2 s
            }
            if (frame == 11) {
                // A small, weightless, short-lived bullet, fired along the cannon's angle.
                ASSERT_EQ(ChildrenOf("CannonBallGroup").size(), 2u);
                Entity& ball = *ChildrenOf("CannonBallGroup")[1];
                EXPECT_EQ(ball.GetName(), "CannonBall");
                EXPECT_EQ(ball.GetTransform().GetPosition(), Vector2(30.0f, -20.0f));
                EXPECT_EQ(ball.GetTransform().GetRotation(), 90.0f);
                const Vector2 v = ball.GetComponent<DynamicBody2D>()->GetVelocity();
                EXPECT_NEAR(v.x, 0.0f, 1e-3);
                EXPECT_NEAR(v.y, 500.0f, 1e-3);
                EXPECT_EQ(ball.GetComponent<Collision::CircleCollider>()->GetRadius(), 12.5f);
                EXPECT_EQ(ball.GetComponent<DynamicBody2D>()->GetGravityScale(), 0.0f);
                EXPECT_EQ(
                    ball.GetComponent<Graphics::Image>()->GetSprite(),
                    Resources::Get().Get<Graphics::Sprite>("sprites/gameplay/entities/bullet"));
                EXPECT_NE(ball.GetComponent<Game::DestroyAfter>(), nullptr);
            }
            if (frame != 13) {
                return;
            }
            const std::vector<Entity*> balls = ChildrenOf("CannonBallGroup");
            ASSERT_EQ(balls.size(), 3u);
            EXPECT_EQ(balls[2]->GetName(), "AutoCannonBall");
            const Vector2 v = balls[2]->GetComponent<DynamicBody2D>()->GetVelocity();
            EXPECT_NEAR(v.x, 0.0f, 1e-3);
            EXPECT_NEAR(v.y, 500.0f, 1e-3);
            // The turret shows red after a shot; the fixed cannon keeps its colour.
            EXPECT_EQ(The<Graphics::Image>("Turret").GetTint(), Graphics::Color(1, 0, 0, 1));
            EXPECT_EQ(The<Graphics::Image>("Fixed").GetTint(), Graphics::Color(0, 0, 1, 1));
            EXPECT_EQ(The<Graphics::Image>("FarFixed").GetTint(), Graphics::Color(1, 1, 1, 1));
            EXPECT_EQ(The<Graphics::Image>("FarTurret").GetTint(), Graphics::Color(1, 1, 1, 1));
        });
    // Fixed: 1.75 s passes 1.5; the next shot is 1.75 s later, not 1.5.
    EXPECT_EQ(fixedShots, (std::vector<unsigned>{11, 18}));
    // Auto: 2.25 s passes 2; the 0.25 s beyond is dropped, so the next is at frame 22.
    EXPECT_EQ(turretShots, (std::vector<unsigned>{13, 22}));
}

TEST_F(CannonTest, APlaneThatTouchesACannonIsKnockedAwayFromIt) {
    Start(kGroup + CannonText("Fixed", "Cannon", "0,0") +
          "\tStaticBody2D\n\tCircleCollider\n\t\tradius\t30\n" + PlaneText("0,60", 1.0f, false));
    float fastest = 0.0f;
    Run(30, nullptr, [&](unsigned) { fastest = std::max(fastest, PlaneBody().GetVelocity().y); });
    // Stopped by the contact, then 2500 straight up with mass 1, once.
    EXPECT_EQ(fastest, 2500.0f);
}
