#include <gtest/gtest.h>

#include "engine/graphics/Camera.h"
#include "engine/graphics/Canvas.h"
#include "engine/scene/FieldMap.h"
#include "engine/scene/Scene.h"
#include "tests/engine/entity/EntityTestSupport.h"

namespace EntityTest {
namespace {

using Graphics::Canvas;

using CameraWorld = EntityWorld;

TEST_F(CameraWorld, FindCameraSearchesRootsInOrderEachDepthFirst) {
    EXPECT_EQ(FindCamera(static_cast<const SceneManagement::Scene*>(nullptr)), nullptr);
    Entity& first = AddRoot("First");
    Entity& deep = AddChild(AddChild(first, "A"), "Deep");
    Entity& later = AddChild(first, "B");
    Camera* inSecond = AddRoot("Second").AddComponent<Camera>();
    EXPECT_EQ(FindCamera(roots), inSecond);
    // The first child's whole subtree comes before the second child.
    later.AddComponent<Camera>();
    Camera* deepest = deep.AddComponent<Camera>();
    EXPECT_EQ(FindCamera(roots), deepest);
    // An entity's own components come before its children's, in component order.
    Camera* own = first.AddComponent<Camera>();
    first.AddComponent<Camera>();
    EXPECT_EQ(FindCamera(roots), own);
}

TEST_F(CameraWorld, ACameraSpaceCanvasDrawsAndClicksItsSubtreeUnderTheCameraInverse) {
    Entity& hud = Place(AddRoot("Hud"), {0.0f, 50.0f});
    hud.AddComponent<Canvas>();
    DrawSpy* own = hud.AddComponent<DrawSpy>();
    DrawSpy* icon = Place(AddChild(hud, "Icon"), {3.0f, 0.0f}).AddComponent<DrawSpy>();
    // Only an entity's first canvas counts.
    Entity& screen = Place(AddRoot("Screen"), {0.0f, 50.0f});
    FieldMap fields;
    fields.Set("renderMode", "ScreenSpace");
    screen.AddComponent<Canvas>()->Deserialize(fields);
    screen.AddComponent<Canvas>();
    DrawSpy* screenSpy = screen.AddComponent<DrawSpy>();
    RunFrame();
    EXPECT_EQ(icon->matrix, Matrix3x3::FromTRS(Vector2(3.0f, 50.0f), 0.0f, Vector2(1.0f, 1.0f)))
        << "without a camera, camera space is screen space";

    // The camera is its entity's own placement, not its world one.
    Entity& rig = Place(AddRoot("Rig"), {1000.0f, 0.0f});
    Place(AddChild(rig, "View"), {100.0f, 0.0f}).AddComponent<Camera>();
    RunFrame(true);
    // Own matrix first, then the camera's inverse: (0, 50) + (-100, 0) + (3, 0).
    EXPECT_EQ(own->depth, 2u);
    EXPECT_FLOAT_EQ(icon->matrix.m[0][2], -97.0f);
    EXPECT_FLOAT_EQ(icon->matrix.m[1][2], 50.0f);
    EXPECT_EQ(icon->clicked, icon->matrix);
    EXPECT_EQ(screenSpy->depth, 1u);
    EXPECT_FLOAT_EQ(screenSpy->matrix.m[0][2], 0.0f);
}

}  // namespace
}  // namespace EntityTest
