#include <gtest/gtest.h>

#include "engine/graphics/Camera.h"
#include "engine/graphics/Canvas.h"
#include "engine/scene/FieldMap.h"
#include "engine/scene/Scene.h"
#include "tests/engine/entity/EntityTestSupport.h"

namespace EntityTest {
namespace {

using Graphics::Canvas;

// Records the stack while its entity draws.
class DrawSpy : public Component {
public:
    explicit DrawSpy(Entity* owner) : Component(owner) {
        owner->GetDrawListeners().Register(listener_);
    }
    const char* GetTypeName() const override { return "DrawSpy"; }
    std::shared_ptr<Component> Clone(Entity* owner) const override {
        return std::make_shared<DrawSpy>(owner);
    }
    Matrix3x3 matrix;

private:
    void OnDraw(const Events::EventBase&) { matrix = MatrixStack::Get().GetCurrent(); }
    Events::ClassListener<DrawSpy> listener_{this, &DrawSpy::OnDraw};
};

// Entities start with scale (0, 0); these are placed at unit scale.
Entity& Placed(Entity& entity, float x = 0.0f, float y = 0.0f) {
    entity.GetTransform().SetPosition(Vector2(x, y));
    entity.GetTransform().SetScale(Vector2(1.0f, 1.0f));
    return entity;
}

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

TEST_F(CameraWorld, CameraSpaceDrawsThroughTheCameraInverseOnceCanvasByCanvas) {
    Entity& view = AddRoot("View");
    view.GetTransform().SetPosition(Vector2(100.0f, 50.0f));
    view.GetTransform().SetScale(Vector2(2.0f, 2.0f));
    view.AddComponent<Camera>();

    Entity& world = Placed(AddRoot("World"));
    world.AddComponent<Canvas>();
    DrawSpy* boxSpy = Placed(AddChild(world, "Box"), 10.0f, 0.0f).AddComponent<DrawSpy>();
    Entity& inner = Placed(AddChild(world, "Inner"));
    inner.AddComponent<Canvas>();
    DrawSpy* innerSpy = Placed(AddChild(inner, "Deeper")).AddComponent<DrawSpy>();

    Entity& hud = Placed(AddRoot("Hud"));
    hud.AddComponent<Canvas>()->SetRenderMode(Canvas::kScreenSpace);
    DrawSpy* hudSpy = Placed(AddChild(hud, "Label")).AddComponent<DrawSpy>();

    RunFrame();
    const Matrix3x3 cameraInverse =
        Matrix3x3::FromTRS(Vector2(100.0f, 50.0f), 0.0f, Vector2(2.0f, 2.0f)).Inverse();
    // (10, 0) in camera space is seen at ((10 - 100) / 2, (0 - 50) / 2).
    const Point2 seen = boxSpy->matrix * Point2(0.0f, 0.0f);
    EXPECT_FLOAT_EQ(seen.x, -45.0f);
    EXPECT_FLOAT_EQ(seen.y, -25.0f);
    EXPECT_EQ(innerSpy->matrix, cameraInverse * cameraInverse);
    EXPECT_EQ(hudSpy->matrix, Matrix3x3::Identity());
}

TEST_F(CameraWorld, TheCameraIsItsEntitysOwnPlacementNotItsWorldOne) {
    Entity& rig = Placed(AddRoot("Rig"), 1000.0f, 0.0f);
    Placed(AddChild(rig, "View"), 0.0f, 30.0f).AddComponent<Camera>();
    Entity& world = Placed(AddRoot("World"));
    world.AddComponent<Canvas>();
    DrawSpy* spy = world.AddComponent<DrawSpy>();
    RunFrame();
    EXPECT_EQ(spy->matrix, Matrix3x3::FromTRS(Vector2(0.0f, -30.0f), 0.0f, Vector2(1.0f, 1.0f)));
}

TEST_F(CameraWorld, CameraSpaceWithoutACameraPushesNothing) {
    Entity& world = Placed(AddRoot("World"));
    world.AddComponent<Canvas>();
    DrawSpy* spy = Placed(AddChild(world, "Box")).AddComponent<DrawSpy>();
    RunFrame();
    EXPECT_EQ(spy->matrix, Matrix3x3::Identity());
    Matrix3x3 unused;
    EXPECT_FALSE(world.GetComponent<Canvas>()->GetCameraInverse(unused));
}

}  // namespace
}  // namespace EntityTest
