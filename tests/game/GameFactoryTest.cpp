#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/entity/Entity.h"
#include "engine/entity/VelaBehavior.h"
#include "game/GameFactory.h"

using namespace VelaEngine;

namespace {

// The flow and menu behaviours; the flight behaviours join in their places of the factory.
const std::vector<std::string> kNames = {"CoolTurn",          "FollowCursor",
                                         "ClickTinter",       "TimeScale",
                                         "FollowPlane",       "LinkPlay",
                                         "SplashScript",      "SplashFader",
                                         "GameWin",           "GameManager",
                                         "DontDestroyOnLoad", "Patrol",
                                         "VolumeChanger",     "FullscreenToggler",
                                         "Pendulum",          "QuitGame",
                                         "LevelSelect",       "ResetData",
                                         "PlaneSkinSelect",   "ThrowFarAway",
                                         "DestroyAfter",      "Jiggle",
                                         "MoveEntity",        "StarFound",
                                         "CreditsScroller",   "Flasher"};

TEST(GameFactory, MakesEachBehaviourByItsTypeNameOnTheOwner) {
    auto owner = Entity::Create("Owner");
    for (const std::string& name : kNames) {
        Component* made = Game::CreateGameComponent(name, *owner);
        ASSERT_NE(made, nullptr) << name;
        EXPECT_EQ(made->GetTypeName(), name);
        EXPECT_NE(dynamic_cast<VelaBehavior*>(made), nullptr) << name;
        EXPECT_EQ(owner->GetComponents().back().get(), made) << name;
    }
    // The transform comes first.
    EXPECT_EQ(owner->GetComponents().size(), kNames.size() + 1);
}

TEST(GameFactory, NamesAreComparedExactly) {
    auto owner = Entity::Create("Owner");
    for (const char* name : {"coolturn", "CoolTurn ", "", "Transform", "Image", "Wind2"}) {
        EXPECT_EQ(Game::CreateGameComponent(name, *owner), nullptr) << name;
    }
    EXPECT_EQ(owner->GetComponents().size(), 1u);
}

}  // namespace
