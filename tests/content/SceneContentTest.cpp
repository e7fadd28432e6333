#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "content/ContentRun.h"
#include "support/TempFolder.h"

// Every scene loads and runs, and holds the entities the game's code looks up by name: a
// scene that lacks one fails only when a player gets there, or silently does nothing.

using TestSupport::FindComponent;
using TestSupport::Json;

namespace {

namespace fs = std::filesystem;

bool Has(const Json& entity, const std::string& type) {
    return FindComponent(entity, type) != nullptr;
}

long Count(const Json& dump, const std::string& name) {
    const auto& entities = dump["entities"].items;
    return std::count_if(entities.begin(), entities.end(),
                         [&](const Json& entity) { return entity["name"].text == name; });
}

bool HasCollider(const Json& entity) {
    return Has(entity, "CircleCollider") || Has(entity, "RectCollider");
}

double TintAlpha(const Json& entity) {
    return TestSupport::ComponentOf(entity, "Image")["tint"][3].number;
}

bool UnderCameraSpace(const Json& dump, const Json& entity) {
    const std::string& path = entity["path"].text;
    for (const Json& other : dump["entities"].items) {
        const std::string& prefix = other["path"].text;
        if (path.compare(0, prefix.size(), prefix) == 0) {
            const Json* canvas = FindComponent(other, "Canvas");
            if (canvas != nullptr && (*canvas)["renderMode"].text != "ScreenSpace") {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

// Each scene runs for two frames; the levels are checked further, in their order.
TEST(SceneContent, EverySceneRunsAndHoldsWhatTheGameLooksFor) {
    const std::set<std::string> hazards = {"Patrol", "Pendulum", "HazardWind", "Cannon",
                                           "AutoCannon"};
    std::vector<std::set<std::string>> hazardsPerLevel(8);
    int scenes = 0;
    int levels = 0;
    for (const auto& entry : fs::directory_iterator(FLEETWING_SOURCE_DIR "/assets/scenes")) {
        if (entry.path().extension() != ".scene") {
            continue;
        }
        ++scenes;
        const std::string scene = "scenes/" + entry.path().stem().string();
        SCOPED_TRACE(scene);
        TestSupport::TempFolder home;
        const ContentRun::RunResult run = ContentRun::RunGame(
            "--scene " + scene + " --frames 2 --dump " + home.File("scene.json"), home.Path());
        ASSERT_EQ(run.status, 0) << run.output;
        const Json dump = TestSupport::ReadJson(home.File("scene.json"));
        EXPECT_EQ(dump["scene"].text, scene);
        std::set<std::string> types;
        bool camera = false;
        bool walls = false;
        for (const Json& entity : dump["entities"].items) {
            for (const Json& component : entity["components"].items) {
                types.insert(component["type"].text);
            }
            walls = walls || (Has(entity, "StaticBody2D") && Has(entity, "RectCollider"));
            camera = camera || (Has(entity, "Camera") && Has(entity, "FollowPlane"));
            if (Has(entity, "Wind")) {
                for (const char* type :
                     {"FollowCursor", "Image", "ParticleSystem", "AudioSource", "Animation"}) {
                    EXPECT_TRUE(Has(entity, type)) << type;
                }
                EXPECT_FALSE(UnderCameraSpace(dump, entity)) << "the fan follows the screen";
            }
        }
        if (types.count("Button")) {
            EXPECT_TRUE(Has(ContentRun::Named(dump, "buttonsoundplayer"), "AudioSource"));
        }
        const int level = scene.starts_with("scenes/level") ? std::atoi(scene.c_str() + 12) : 0;
        if (level < 1 || level > 8) {
            continue;
        }
        for (const char* type :
             {"DynamicBody2D", "CircleCollider", "Image", "AudioSource", "PlaneRotator"}) {
            EXPECT_TRUE(Has(ContentRun::Named(dump, "Airplane"), type)) << type;
        }
        const Json& manager = ContentRun::Named(dump, "GameManager");
        EXPECT_EQ(TestSupport::ComponentOf(manager, "GameManager")["currentLevel"].number, level);
        EXPECT_TRUE(types.count("TimeScale"));
        EXPECT_TRUE(types.count("Wind"));
        EXPECT_TRUE(camera);
        EXPECT_TRUE(walls);
        EXPECT_TRUE(Has(ContentRun::Named(dump, "WinFlag"), "GameWin"));
        EXPECT_EQ(Count(dump, "InGameStar"), 3);
        for (const char* name :
             {"CheckPoint", "g3", "g2", "g1", "go", "CountdownHint", "OptionsWindow", "WinWindow",
              "LoseWindow", "Star1", "Star2", "Star3", "newshortesttime", "CollisionFeedbackGroup",
              "buttonsoundplayer"}) {
            EXPECT_EQ(Count(dump, name), 1) << name;
        }
        if (types.count("Cannon") || types.count("AutoCannon")) {
            EXPECT_EQ(Count(dump, "CannonBallGroup"), 1);
        }
        std::set_intersection(
            types.begin(), types.end(), hazards.begin(), hazards.end(),
            std::inserter(hazardsPerLevel[level - 1], hazardsPerLevel[level - 1].begin()));
        ++levels;
    }
    ASSERT_EQ(scenes, 15);
    ASSERT_EQ(levels, 8);
    // The first level teaches the fan alone; each later one brings at most one new kind of
    // hazard besides walls, and the last has them all.
    EXPECT_TRUE(hazardsPerLevel[0].empty());
    std::set<std::string> seen;
    for (int level = 2; level <= 7; ++level) {
        const std::set<std::string>& here = hazardsPerLevel[level - 1];
        EXPECT_LE(std::count_if(here.begin(), here.end(),
                                [&](const std::string& kind) { return !seen.count(kind); }),
                  1)
            << "level " << level << " brings more than one new hazard";
        seen.insert(here.begin(), here.end());
    }
    EXPECT_EQ(hazardsPerLevel[7], hazards) << "the last level has every hazard";
}

// The first level teaches by signs met in the order their lessons are needed: the fan (in view
// from the start), letting go, the stars, the checkpoint and the flag, each before what it
// explains. They are pictures only, drawn beneath everything that can be hit.
TEST(SceneContent, TheFirstLevelsSignsComeInOrderBeforeWhatTheyExplainAndCannotBeHit) {
    TestSupport::TempFolder home;
    const ContentRun::RunResult run = ContentRun::RunGame(
        "--scene scenes/level1 --frames 2 --dump " + home.File("scene.json"), home.Path());
    ASSERT_EQ(run.status, 0) << run.output;
    const Json dump = TestSupport::ReadJson(home.File("scene.json"));
    const auto& entities = dump["entities"].items;
    auto x = [](const Json& entity) { return entity["world"][0].number; };

    const std::vector<std::string> lessons = {"SignHold", "SignFall", "SignStars", "SignCheckpoint",
                                              "SignFlag"};
    std::vector<double> signX;
    std::size_t lastSign = 0;
    for (const std::string& name : lessons) {
        SCOPED_TRACE(name);
        ASSERT_EQ(Count(dump, name), 1);
        const Json& sign = ContentRun::Named(dump, name);
        EXPECT_FALSE(HasCollider(sign) || Has(sign, "StaticBody2D") || Has(sign, "DynamicBody2D"));
        EXPECT_EQ(TintAlpha(sign), 1.0);
        EXPECT_TRUE(UnderCameraSpace(dump, sign)) << "a sign stays where it is in the world";
        signX.push_back(x(sign));
        lastSign = std::max<std::size_t>(lastSign, &sign - entities.data());
    }
    EXPECT_TRUE(std::is_sorted(signX.begin(), signX.end()) &&
                std::adjacent_find(signX.begin(), signX.end()) == signX.end())
        << "the signs are not met in their order from left to right";
    // Drawing follows the scene's order: whatever can be hit, the plane too, comes later.
    for (std::size_t i = 0; i <= lastSign; ++i) {
        EXPECT_FALSE(HasCollider(entities[i])) << entities[i]["path"].text << " is under a sign";
    }

    // The first sign is wholly in the picture while the countdown holds the plane.
    const Json& plane = ContentRun::Named(dump, "Airplane");
    const Json& first = ContentRun::Named(dump, "SignHold");
    const Json& picture = TestSupport::ComponentOf(first, "Image");
    EXPECT_LE(std::abs(x(first) - x(plane)) + picture["w"].number / 2, 800);
    EXPECT_LE(
        std::abs(first["world"][1].number - plane["world"][1].number) + picture["h"].number / 2,
        450);

    std::vector<double> starX;
    for (const Json& entity : entities) {
        if (entity["name"].text == "InGameStar") {
            starX.push_back(x(entity));
        }
    }
    ASSERT_EQ(starX.size(), 3u);
    const double checkpointX = x(ContentRun::Named(dump, "CheckPoint"));
    const double flagX = x(ContentRun::Named(dump, "WinFlag"));
    EXPECT_LT(signX[2], *std::min_element(starX.begin(), starX.end()));
    EXPECT_LT(*std::max_element(starX.begin(), starX.end()), signX[3]);
    EXPECT_LT(signX[3], checkpointX);
    EXPECT_LT(checkpointX, signX[4]);
    EXPECT_LT(signX[4], flagX);
    // The level is flown left to right, so that order on the ground is the order of the flight.
    double routeX = x(plane);
    std::istringstream route(
        TestSupport::ReadText(FLEETWING_SOURCE_DIR "/tools/autopilot/routes/level1.route"));
    for (std::string leg, kind; std::getline(route, leg);) {
        std::istringstream words(leg);
        double legX = 0;
        if (words >> kind && (kind == "go" || kind == "land") && words >> legX) {
            EXPECT_GE(legX, routeX) << leg;
            routeX = legX;
        }
    }
    EXPECT_EQ(routeX, flagX);
}

// Every level's countdown says that holding the button launches: the line is shown while the
// countdown runs and leaves with the digits when a hold launches the plane, or fades with
// them when nobody holds.
TEST(SceneContent, TheCountdownSaysThatHoldingLaunchesUntilThePlaneFlies) {
    TestSupport::TempFolder home;
    const std::string hold = home.File("hold.input");
    std::ofstream(hold) << "1\tmove\t0\t-250\n1\tdown\tmouse_left\n";
    for (int level = 1; level <= 8; ++level) {
        const std::string scene = "scenes/level" + std::to_string(level);
        SCOPED_TRACE(scene);
        // The hold launches once 1.5 s of the countdown have passed (frame 91).
        ContentRun::RunResult run =
            ContentRun::RunGame("--scene " + scene + " --input " + hold +
                                    " --frames 100 --dump-at 60:" + home.File("held1s.json") +
                                    " --dump-at 88:" + home.File("held88.json") + " --dump " +
                                    home.File("launched.json"),
                                home.Path());
        ASSERT_EQ(run.status, 0) << run.output;
        for (const char* shown : {"held1s.json", "held88.json"}) {
            const Json dump = TestSupport::ReadJson(home.File(shown));
            const Json* hint = TestSupport::FindEntity(dump, "CountdownHint");
            ASSERT_NE(hint, nullptr) << shown;
            EXPECT_EQ(TintAlpha(*hint), 1.0) << shown;
            EXPECT_FALSE(UnderCameraSpace(dump, *hint)) << "the line is part of the screen";
        }
        const Json launched = TestSupport::ReadJson(home.File("launched.json"));
        EXPECT_EQ(TestSupport::FindEntity(launched, "go"), nullptr);
        EXPECT_EQ(TestSupport::FindEntity(launched, "CountdownHint"), nullptr);

        run = ContentRun::RunGame("--scene " + scene +
                                      " --frames 370 --dump-at 340:" + home.File("waiting.json") +
                                      " --dump " + home.File("flying.json"),
                                  home.Path());
        ASSERT_EQ(run.status, 0) << run.output;
        EXPECT_EQ(TintAlpha(ContentRun::Named(TestSupport::ReadJson(home.File("waiting.json")),
                                              "CountdownHint")),
                  1.0);
        EXPECT_EQ(TintAlpha(ContentRun::Named(TestSupport::ReadJson(home.File("flying.json")),
                                              "CountdownHint")),
                  0.0);
    }
}
