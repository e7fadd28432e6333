#include <gtest/gtest.h>

#include "engine/graphics/Camera.h"
#include "engine/graphics/Canvas.h"
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

TEST_F(CameraWorld, TheCameraIsItsEntitysOwnPlacementNotItsWorldOne) {
    Entity& world = Place(AddRoot("World"), {});
    world.AddComponent<Canvas>();
    DrawSpy* spy = world.AddComponent<DrawSpy>();
    RunFrame();
    EXPECT_EQ(spy->matrix, Matrix3x3()) << "without a camera, camera space is screen space";
    Entity& rig = Place(AddRoot("Rig"), {1000.0f, 0.0f});
    Place(AddChild(rig, "View"), {0.0f, 30.0f}).AddComponent<Camera>();
    RunFrame();
    EXPECT_EQ(spy->matrix, Matrix3x3::FromTRS(Vector2(0.0f, -30.0f), 0.0f, Vector2(1.0f, 1.0f)));
}

}  // namespace
}  // namespace EntityTest
