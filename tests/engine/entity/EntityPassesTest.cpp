#include <gtest/gtest.h>

#include "EntityTestSupport.h"
#include "engine/entity/CanvasSpace.h"

namespace EntityTest {
namespace {

// A canvas as the rendering will have it: camera space or not, with a fixed camera.
class TestCanvas : public Component, public ICanvasSpace {
public:
    TestCanvas(Entity* owner, bool cameraSpace) : Component(owner), cameraSpace_(cameraSpace) {}
    const char* GetTypeName() const override { return "TestCanvas"; }
    std::shared_ptr<Component> Clone(Entity* owner) const override {
        return std::make_shared<TestCanvas>(owner, cameraSpace_);
    }
    bool GetCameraInverse(Matrix3x3& cameraInverse) override {
        cameraInverse = Matrix3x3::FromTRS({100.0f, 0.0f}, 0.0f, {1.0f, 1.0f}).Inverse();
        return cameraSpace_;
    }

private:
    bool cameraSpace_;
};

using EntityPasses = EntityWorld;

TEST_F(EntityPasses, ClickGoesLastChildFirstAndChildrenBeforeTheEntitysComponents) {
    Entity& root = AddRoot("R");
    root.AddComponent<Probe>(&log, "R1");
    Entity& first = AddChild(root, "C1");
    first.AddComponent<Probe>(&log, "C1");
    Entity& second = AddChild(root, "C2");
    second.AddComponent<Probe>(&log, "C2");
    AddChild(second, "G").AddComponent<Probe>(&log, "G");
    // Nobody consumes: everyone is asked and the click is reported unconsumed.
    EXPECT_FALSE(ClickPass(root));
    EXPECT_EQ(log, (Log{"G:Click", "C2:Click", "C1:Click", "R1:Click"}));

    log.clear();
    root.AddComponent<Probe>(&log, "R2")->consumes = true;
    root.AddComponent<Probe>(&log, "R3")->consumes = true;
    EXPECT_TRUE(ClickPass(root));
    EXPECT_EQ(log, (Log{"G:Click", "C2:Click", "C1:Click", "R1:Click", "R2:Click"}));

    log.clear();
    first.AddComponent<Probe>(&log, "C1b")->consumes = true;
    EXPECT_TRUE(ClickPass(root));
    EXPECT_EQ(log, (Log{"G:Click", "C2:Click", "C1:Click", "C1b:Click"}));
}

TEST_F(EntityPasses, CameraSpaceCanvasPutsTheCameraInverseOverItsSubtreeAndOnlyTheFirstCounts) {
    Entity& hud = Place(AddRoot("Hud"), {0.0f, 50.0f});
    hud.AddComponent<TestCanvas>(true);
    auto* own = hud.AddComponent<DrawSpy>();
    Entity& icon = Place(AddChild(hud, "Icon"), {3.0f, 0.0f});
    auto* spy = icon.AddComponent<DrawSpy>();
    Entity& screen = Place(AddRoot("Screen"), {0.0f, 50.0f});
    screen.AddComponent<TestCanvas>(false);
    screen.AddComponent<TestCanvas>(true);
    auto* screenSpy = screen.AddComponent<DrawSpy>();

    RunFrame(true);
    // Own matrix first, then the camera's inverse: (0, 50) + (-100, 0) + (3, 0).
    EXPECT_EQ(own->depth, 2u);
    EXPECT_FLOAT_EQ(spy->matrix.m[0][2], -97.0f);
    EXPECT_FLOAT_EQ(spy->matrix.m[1][2], 50.0f);
    EXPECT_EQ(spy->clicked, spy->matrix);
    EXPECT_EQ(screenSpy->depth, 1u);
    EXPECT_FLOAT_EQ(screenSpy->matrix.m[0][2], 0.0f);
}

}  // namespace
}  // namespace EntityTest
