// Scenery layers that follow the camera at a share of its motion: where they go, how their
// picture wraps, and what their scene fields accept.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "engine/graphics/Image.h"
#include "engine/scene/FieldMap.h"
#include "engine/scene/Resources.h"
#include "engine/scene/Scene.h"
#include "game/Parallax.h"
#include "support/FatalCatcher.h"
#include "tests/game/FlightTestSupport.h"

using namespace FlightTest;
using namespace VelaEngine;
using Game::LayerPlacement;
using Game::Parallax;
using Game::PlaceLayer;

namespace {

// The share of a width `along` lies past a whole number of widths.
float Turns(float along, float width) {
    return along / width - std::floor(along / width);
}

TEST(ParallaxPlacement, FollowsTheCameraByItsFactorsAndWrapsTheRepeatingPicture) {
    const Vector2 anchor(30.0f, -200.0f);
    // At the origin the layer rests at its anchor, picture unslid.
    LayerPlacement at = PlaceLayer(anchor, Vector2(), 0.5f, 0.5f, 1600.0f);
    EXPECT_EQ(at.position, anchor);
    EXPECT_EQ(at.textureOffset, 0.0f);

    // Repeating: it keeps its x and slides its picture by factor x camera of its width; it
    // goes down as the camera goes up.
    at = PlaceLayer(anchor, Vector2(400.0f, 300.0f), 0.5f, 0.25f, 1600.0f);
    EXPECT_EQ(at.position, Vector2(30.0f, -275.0f));
    EXPECT_FLOAT_EQ(at.textureOffset, 0.125f);
    // Past a whole width the slide starts over; left of the origin it counts back from 1.
    at = PlaceLayer(anchor, Vector2(4000.0f, 0.0f), 0.5f, 0.5f, 1600.0f);
    EXPECT_FLOAT_EQ(at.textureOffset, 0.25f);
    at = PlaceLayer(anchor, Vector2(-400.0f, -100.0f), 0.5f, 0.5f, 1600.0f);
    EXPECT_FLOAT_EQ(at.textureOffset, 0.875f);
    EXPECT_EQ(at.position, Vector2(30.0f, -150.0f));
    // The same camera step moves the picture the same distance wherever the camera is: no
    // jump at the wrap.
    for (float x = -3300.0f; x < 3300.0f; x += 37.0f) {
        const float before =
            PlaceLayer(anchor, Vector2(x, 0.0f), 0.25f, 0.0f, 800.0f).textureOffset;
        const float after =
            PlaceLayer(anchor, Vector2(x + 10.0f, 0.0f), 0.25f, 0.0f, 800.0f).textureOffset;
        EXPECT_GE(before, 0.0f);
        EXPECT_LT(before, 1.0f);
        const float step = after - before + (after < before ? 1.0f : 0.0f);
        EXPECT_NEAR(step * 800.0f, 2.5f, 1e-3f) << x;
    }

    // Not repeating: the layer itself moves by the share of the camera's way.
    at = PlaceLayer(anchor, Vector2(400.0f, 300.0f), 0.5f, 0.25f, 0.0f);
    EXPECT_EQ(at.position, Vector2(-170.0f, -275.0f));
    EXPECT_EQ(at.textureOffset, 0.0f);
    // Factor 0 stays on the screen, factor 1 moves with the level.
    EXPECT_EQ(PlaceLayer(anchor, Vector2(500.0f, 70.0f), 0.0f, 0.0f, 0.0f).position, anchor);
    EXPECT_EQ(PlaceLayer(anchor, Vector2(500.0f, 70.0f), 1.0f, 1.0f, 0.0f).position,
              Vector2(-470.0f, -270.0f));
}

using ParallaxLayers = FlightScene;

// A camera moved by the test each frame; two layers: a repeating strip and a single picture.
TEST_F(ParallaxLayers, PlaceTheirEntityAndPictureFromTheCameraEveryFrame) {
    Start(EntityText("MainCamera", "0,0") + "\tCamera\n" + EntityText("Scenery", "0,0") +
          "\tCanvas\n\t\trenderMode\tScreenSpace\n"
          "\tEntity\tHills\n\t\tt\t0,-250\n\t\tr\t0\n\t\ts\t1,1\n"
          "\t\tImage\n\t\t\tw\t1600\n\t\t\th\t400\n"
          "\t\tParallax\n\t\t\tfactor\t0.5\n\t\t\tfactorY\t0.25\n\t\t\tmaxY\t-200\n"
          "\tEntity\tMoon\n\t\tt\t100,300\n\t\tr\t0\n\t\ts\t2,2\n"
          "\t\tImage\n\t\t\tw\t50\n\t\t\th\t50\n"
          "\t\tParallax\n\t\t\tfactor\t0.1\n\t\t\trepeatX\tfalse\n");
    const auto cameraAt = [](unsigned frame) {
        return Vector2(-900.0f + 130.0f * static_cast<float>(frame),
                       40.0f * static_cast<float>(frame) - 800.0f);
    };
    Run(
        30,
        [&](unsigned frame) { Named("MainCamera").GetTransform().SetPosition(cameraAt(frame)); },
        [&](unsigned frame) {
            SCOPED_TRACE(frame);
            const Vector2 camera = cameraAt(frame);
            // The hills stop rising at their maxY while the camera is low.
            EXPECT_EQ(PositionOf("Hills"),
                      Vector2(0.0f, std::min(-200.0f, -250.0f - camera.y * 0.25f)));
            EXPECT_NEAR(The<Graphics::Image>("Hills").GetTextureOffset(),
                        Turns(camera.x * 0.5f, 1600.0f), 1e-5f);
            // factorY takes the factor when absent.
            EXPECT_EQ(PositionOf("Moon"),
                      Vector2(100.0f - camera.x * 0.1f, 300.0f - camera.y * 0.1f));
            EXPECT_EQ(The<Graphics::Image>("Moon").GetTextureOffset(), 0.0f);
        });
    // A copy made mid-flight rests where the original rested, not where it was slid to.
    auto copy = Entity::Create("Copy");
    const auto layer =
        std::dynamic_pointer_cast<Parallax>(The<Parallax>("Hills").Clone(copy.get()));
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(layer->GetTypeName(), std::string("Parallax"));
    EXPECT_EQ(layer->factor, 0.5f);
    EXPECT_EQ(layer->factorY, 0.25f);
    EXPECT_TRUE(layer->repeatX);
    EXPECT_EQ(layer->maxY, -200.0f);
    copy->GetTransform().SetScale(Vector2(-1.0f, 1.0f));  // mirrored: it slides the other way
    copy->AddComponent<Graphics::Image>()->Set(1600.0f, 400.0f, nullptr, Graphics::Color(), false,
                                               false);
    layer->Start();
    layer->Update();
    EXPECT_EQ(copy->GetTransform().GetPosition(),
              Vector2(0.0f, std::min(-200.0f, -250.0f - cameraAt(30).y * 0.25f)));
    EXPECT_NEAR(copy->GetComponent<Graphics::Image>()->GetTextureOffset(),
                1.0f - Turns(cameraAt(30).x * 0.5f, 1600.0f), 1e-5f);
    const auto still = std::dynamic_pointer_cast<Parallax>(The<Parallax>("Moon").Clone(copy.get()));
    EXPECT_FALSE(still->repeatX);
    EXPECT_EQ(still->factorY, 0.1f);
}

TEST_F(ParallaxLayers, ReadTheirFieldsAndRefuseTextThatIsNoNumberOrFlag) {
    Start(EntityText("Empty", "0,0"));
    auto entity = Entity::Create("Layer");
    auto* layer = entity->AddComponent<Parallax>();
    layer->Deserialize(FieldMap());
    EXPECT_EQ(layer->factor, 0.0f) << "no factor: fixed on the screen";
    EXPECT_EQ(layer->factorY, 0.0f);
    EXPECT_TRUE(layer->repeatX);
    EXPECT_EQ(layer->minY, -std::numeric_limits<float>::infinity()) << "no bound";
    EXPECT_EQ(layer->maxY, std::numeric_limits<float>::infinity());
    FieldMap fields;
    fields.Set("factor", " 0.35 ");
    fields.Set("repeatX", "f");
    layer->Deserialize(fields);
    EXPECT_FLOAT_EQ(layer->factor, 0.35f);
    EXPECT_FLOAT_EQ(layer->factorY, 0.35f);
    EXPECT_FALSE(layer->repeatX);
    fields.Set("factorY", "-1e-1");
    layer->Deserialize(fields);
    EXPECT_FLOAT_EQ(layer->factorY, -0.1f);

    // In a scene file the loader adds the file and the line of the component.
    const std::string header = EntityText("Hills", "0,0") + "\tParallax\n";
    const std::string where = "\nin " + assets.Path() + "/scenes/bad.scene, line ";
    const struct {
        std::string fields;
        std::string message;
    } rows[] = {
        {"\t\tfactor\tslow\n", "Parallax factor \"slow\" is not a number" + where + "5"},
        {"\t\tfactor\t0,5\n", "Parallax factor \"0,5\" is not a number" + where + "5"},
        {"\t\tfactor\t0.5\n\t\tfactorY\t\n", "Parallax factorY \"\" is not a number" + where + "5"},
        {"\t\tfactorY\tnan\n", "Parallax factorY \"nan\" is not a number" + where + "5"},
        {"\t\tfactor\t1e40\n", "Parallax factor \"1e40\" is not a number" + where + "5"},
        {"\t\tmaxY\t-", "Parallax maxY \"-\" is not a number" + where + "5"},
        {"\t\trepeatX\tyes\n", "Parallax repeatX \"yes\" is neither true nor false" + where + "5"},
        {"\t\trepeatX\t1\n", "Parallax repeatX \"1\" is neither true nor false" + where + "5"},
    };
    for (const auto& row : rows) {
        assets.Write("scenes/bad.scene", header + row.fields);
        testing::internal::CaptureStdout();
        const std::string message = TestSupport::FatalMessageOf(
            [] { Resources::Get().Get<SceneManagement::Scene>("scenes/bad"); });
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(message, "Assertion in VEDebug.cpp line 35: " + row.message) << row.fields;
    }
}

}  // namespace
