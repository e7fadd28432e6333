#include "game/PlaneRotator.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/graphics/Image.h"
#include "engine/graphics/Sprite.h"
#include "engine/persistence/Records.h"
#include "engine/scene/Resources.h"
#include "game/GameManager.h"
#include "tests/game/FlightTestSupport.h"

using namespace VelaEngine;
using namespace FlightTest;

using PlaneRotatorTest = FlightScene;

// The countdown holds the plane: a cannon ball fired into it meanwhile disappears and costs
// nothing, and one from the turret stops dead. The mouse, held through 1.4 s, let go, then held
// again from 2.08 s, cuts the countdown short. Then, without gravity so that the velocity set
// before a frame is the one its update sees: slower than 25 the plane flies level and mirrored,
// faster it turns with its flight.
TEST_F(PlaneRotatorTest, TheCountdownHoldsThePlaneAndTheMouseCutsItShortAfterOneAndAHalfSeconds) {
    // The cannon fires at 1.5 s along +x into the plane, the turret at 2 s straight down.
    Start(ManagerText() + PlaneText("40,60") + EntityText("g3", "0,300") +
          EntityText("g2", "0,300") + EntityText("g1", "0,300") + EntityText("go", "0,300") +
          EntityText("CollisionFeedbackGroup", "0,0") + EntityText("Cannon", "0,60") +
          "\tCannon\n" + EntityText("Turret", "40,100") + "\tAutoCannon\n" +
          EntityText("CannonBallGroup", "0,0"));
    const struct {
        Vector2 velocity;
        float rotation;
        bool flipX;
        bool flipY;
    } turns[] = {
        {{-24.9f, 0.0f}, 0.0f, true, false},      {{-25.0f, 0.0f}, 180.0f, false, true},
        {{24.9f, 0.0f}, 0.0f, false, false},      {{0.0f, 30.0f}, 90.0f, false, false},
        {{-20.0f, -20.0f}, -135.0f, false, true}, {{-3.0f, 4.0f}, 0.0f, true, false},
    };
    bool fired = false;
    Run(
        126 + std::size(turns),
        [&](unsigned frame) {
            SetKey(kMouseLeft, frame <= 84 || frame >= 125);
            if (frame > 126) {
                PlaneBody().SetGravityScale(0.0f);
                PlaneBody().SetVelocity(turns[frame - 127].velocity);
            }
        },
        [&](unsigned frame) {
            const Game::PlaneRotator& plane = Plane();
            fired = fired || Entity::Find("CannonBall") != nullptr;
            if (frame == 84 || frame == 95) {
                EXPECT_NEAR(plane.countdownLeft, 6.0f - frame / 60.0f, 1e-4) << frame;
                EXPECT_NE(Entity::Find("g3"), nullptr);
                // Put back every frame before its step: one step of gravity at most.
                EXPECT_NEAR(PositionOf("Airplane").x, 40.0f, 1e-4);
                EXPECT_NEAR(PositionOf("Airplane").y, 60.0f - 200.0f / 3600.0f, 1e-4);
            }
            if (frame == 124) {
                EXPECT_TRUE(fired);
                EXPECT_EQ(Entity::Find("CannonBall"), nullptr);
                EXPECT_FALSE(The<Game::GameManager>("Manager").levelEnded);
                EXPECT_TRUE(ChildrenOf("CollisionFeedbackGroup").empty());
                EXPECT_NEAR(PositionOf("Airplane").x, 40.0f, 1e-3);
                Entity* ball = Entity::Find("AutoCannonBall");
                ASSERT_NE(ball, nullptr);
                EXPECT_EQ(ball->GetComponent<DynamicBody2D>()->GetVelocity(), Vector2(0.0f, 0.0f));
            }
            if (frame == 125) {
                EXPECT_EQ(plane.countdownLeft, 0.0f);
                for (const char* name : {"g3", "g2", "g1", "go"}) {
                    EXPECT_EQ(Entity::Find(name), nullptr) << name;
                }
            }
            if (frame == 126) {
                // Free now: the frame's update no longer puts it back.
                EXPECT_LT(plane.countdownLeft, 0.0f);
                EXPECT_NEAR(PlaneBody().GetVelocity().y, -2 * 200.0f / 60.0f, 1e-3);
            }
            if (frame > 126) {
                const auto& turn = turns[frame - 127];
                SCOPED_TRACE(turn.velocity.ToString());
                const auto& image = The<Graphics::Image>("Airplane");
                EXPECT_NEAR(Named("Airplane").GetTransform().GetRotation(), turn.rotation, 1e-3);
                EXPECT_EQ(image.GetFlipX(), turn.flipX);
                EXPECT_EQ(image.GetFlipY(), turn.flipY);
            }
        });
}

// Two stars (22) and the checkpoint (24) within reach of the plane (18), a third star just out
// of it at 41. With the rescue in hand, the plane then lands harmlessly on the win flag, and on
// the ground once the level has ended; then it falls on the ground twice, before a loss.
TEST_F(PlaneRotatorTest, WhatIsInReachIsTakenAtOnceAndTheCheckpointRescuesOnceBeforeALoss) {
    const std::string star = "\tCircleCollider\n\t\tradius\t22\n";
    const std::string ground = "\tStaticBody2D\n\tRectCollider\n\t\tw\t400\n\t\th\t20\n";
    Start(ManagerText() + PlaneText("0,0") + EntityText("CollisionFeedbackGroup", "0,0") +
          EntityText("InGameStar", "30,0") + star + EntityText("InGameStar", "-20,-25") + star +
          EntityText("InGameStar", "-41,0") + star + EntityText("CheckPoint", "10,40") +
          "\tCircleCollider\n\t\tradius\t24\n" + EntityText("Ground", "0,-100") + ground +
          EntityText("WinFlag", "1000,-60") + ground + EntityText("LoseWindow", "5000,5000"));
    unsigned rescuedAt = 0;
    unsigned lostAt = 0;
    int bounces = 0;
    testing::internal::CaptureStdout();
    Run(
        500,
        [](unsigned frame) {
            if (frame == 1) {
                Plane().countdownLeft = 0.0f;
            }
            if (frame == 2 || frame == 121 || frame == 241) {
                The<Game::GameManager>("Manager").levelEnded = frame == 121;
                Named("Airplane")
                    .GetTransform()
                    .SetPosition(Vector2(frame == 2 ? 1000.0f : 0.0f, 0.0f));
                PlaneBody().SetVelocity(Vector2(0.0f, 0.0f));
            }
        },
        [&](unsigned frame) {
            const Game::PlaneRotator& plane = Plane();
            Game::GameManager& manager = The<Game::GameManager>("Manager");
            if (frame == 1) {
                EXPECT_EQ(manager.starsFound, 2);
                EXPECT_TRUE(plane.hasCheckpoint);
                EXPECT_EQ(plane.checkpointPosition, Point2(10.0f, 40.0f));
                EXPECT_EQ(Entity::Find("CheckPoint"), nullptr);
                const std::vector<Entity*> feedback = ChildrenOf("CollisionFeedbackGroup");
                ASSERT_EQ(feedback.size(), 3u);
                std::vector<Vector2> at;
                for (Entity* picture : feedback) {
                    at.push_back(picture->GetTransform().GetPosition());
                }
                EXPECT_EQ(at, (std::vector<Vector2>{{30, 0}, {-20, -25}, {10, 40}}));
                EXPECT_EQ(feedback[0]->GetComponent<Graphics::Image>()->GetSprite(),
                          Resources::Get().Get<Graphics::Sprite>(
                              "sprites/gameplay/entities/starfeedback"));
            }
            bounces += PlaneBody().GetVelocity().y > 0.0f ? 1 : 0;
            if (frame == 120 || frame == 240) {
                // Still down by the flag or the ground, not sent back to the checkpoint.
                SCOPED_TRACE(frame);
                EXPECT_GT(bounces, 0);
                bounces = 0;
                EXPECT_FALSE(plane.checkpointUsed);
                EXPECT_EQ(plane.lastContact, "") << "the flag and an ended level cost nothing";
                EXPECT_EQ(manager.levelEnded, frame == 240);
                EXPECT_TRUE(ChildrenOf("CollisionFeedbackGroup").empty());
                EXPECT_EQ(PositionOf("LoseWindow"), Vector2(5000.0f, 5000.0f));
                EXPECT_LT(PositionOf("Airplane").y, -20.0f);
            }
            if (plane.checkpointUsed && rescuedAt == 0) {
                rescuedAt = frame;
                EXPECT_EQ(PositionOf("Airplane"), Vector2(10.0f, 40.0f));
                EXPECT_EQ(PlaneBody().GetVelocity(), Vector2(0.0f, 0.0f));
                EXPECT_EQ(plane.lastContact, "Ground");
                EXPECT_FALSE(manager.levelEnded);
                EXPECT_EQ(PositionOf("LoseWindow"), Vector2(5000.0f, 5000.0f));
            }
            if (frame > 240 && manager.levelEnded && lostAt == 0) {
                lostAt = frame;
                EXPECT_EQ(PositionOf("LoseWindow"), Vector2(0.0f, 250.0f));
                EXPECT_EQ(
                    ChildrenOf("CollisionFeedbackGroup")
                        .back()
                        ->GetComponent<Graphics::Image>()
                        ->GetSprite(),
                    Resources::Get().Get<Graphics::Sprite>("sprites/gameplay/entities/collided"));
            }
        });
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("\n1\n2\n"), std::string::npos) << log;
    ASSERT_NE(rescuedAt, 0u);
    EXPECT_LT(rescuedAt, lostAt);
    // The star out of reach stays; a loss stores nothing.
    EXPECT_EQ(PositionOf("InGameStar"), Vector2(-41.0f, 0.0f));
    EXPECT_EQ(The<Game::GameManager>("Manager").starsFound, 2);
    EXPECT_EQ(Records::Get().GetInt("highestLevelUnlocked", -1), -1);
}
