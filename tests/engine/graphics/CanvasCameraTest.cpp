#include <gtest/gtest.h>

#include "engine/graphics/Camera.h"
#include "engine/graphics/Canvas.h"
#include "engine/scene/FieldMap.h"
#include "engine/scene/Scene.h"
#include "tests/engine/entity/EntityTestSupport.h"

namespace EntityTest {
namespace {

using Graphics::Canvas;

int32_t ModeOf(const char* text) {
    auto entity = Entity::Create("c");
    Canvas* canvas = entity->AddComponent<Canvas>();
    FieldMap fields;
    if (text != nullptr) {
        fields.Set("renderMode", text);
    }
    canvas->Deserialize(fields);
    return canvas->GetRenderMode();
}

TEST(Canvas, OnlyTheExactScreenSpaceTextIsScreenSpace) {
    EXPECT_EQ(ModeOf("ScreenSpace"), Canvas::kScreenSpace);
    EXPECT_EQ(ModeOf("CameraSpace"), Canvas::kCameraSpace);
    EXPECT_EQ(ModeOf("screenspace"), Canvas::kCameraSpace);
    EXPECT_EQ(ModeOf("ScreenSpace "), Canvas::kCameraSpace);
    EXPECT_EQ(ModeOf(""), Canvas::kCameraSpace);
    EXPECT_EQ(ModeOf(nullptr), Canvas::kCameraSpace);
}

using CameraWorld = EntityWorld;

TEST_F(CameraWorld, FindCameraSearchesRootsInOrderEachDepthFirst) {
    EXPECT_EQ(FindCamera(roots), nullptr);
    EXPECT_EQ(FindCamera(static_cast<const SceneManagement::Scene*>(nullptr)), nullptr);
    Entity& first = AddRoot("First");
    Entity& deep = AddChild(AddChild(first, "A"), "Deep");
    Entity& shallowLater = AddChild(first, "B");
    Entity& second = AddRoot("Second");
    Camera* inSecond = second.AddComponent<Camera>();
    EXPECT_EQ(FindCamera(roots), inSecond);
    Camera* later = shallowLater.AddComponent<Camera>();
    EXPECT_EQ(FindCamera(roots), later);
    // The first child's whole subtree comes before the second child.
    Camera* deepest = deep.AddComponent<Camera>();
    EXPECT_EQ(FindCamera(roots), deepest);
    // An entity's own components come before its children's, in component order.
    Camera* own = first.AddComponent<Camera>();
    first.AddComponent<Camera>();
    EXPECT_EQ(FindCamera(roots), own);

    SceneManagement::Scene scene;
    scene.GetRoots().push_back(Entity::Create("Other"));
    EXPECT_EQ(FindCamera(&scene), nullptr);
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
