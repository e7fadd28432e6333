#include <gtest/gtest.h>

#include "EntityTestSupport.h"
#include "engine/entity/CanvasSpace.h"

namespace EntityTest {
namespace {

// Answers the click as told and records who was asked, with the stack's top at that time.
class ClickTarget : public Component {
public:
    ClickTarget(Entity* owner, Log* log, std::string tag, bool consumes)
        : Component(owner), log_(log), tag_(std::move(tag)), consumes_(consumes) {}
    const char* GetTypeName() const override { return "ClickTarget"; }
    std::shared_ptr<Component> Clone(Entity* owner) const override {
        return std::make_shared<ClickTarget>(owner, log_, tag_, consumes_);
    }
    bool HandleClick() override {
        log_->push_back(tag_);
        seenWith = MatrixStack::Get().GetCurrent();
        return consumes_;
    }
    Matrix3x3 seenWith;

private:
    Log* log_;
    std::string tag_;
    bool consumes_;
};

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
    root.AddComponent<ClickTarget>(&log, "R1", false);
    Entity& first = AddChild(root, "C1");
    first.AddComponent<ClickTarget>(&log, "C1", false);
    Entity& second = AddChild(root, "C2");
    second.AddComponent<ClickTarget>(&log, "C2", false);
    AddChild(second, "G").AddComponent<ClickTarget>(&log, "G", false);
    // Nobody consumes: everyone is asked and the click is reported unconsumed.
    EXPECT_FALSE(ClickPass(root));
    EXPECT_EQ(log, (Log{"G", "C2", "C1", "R1"}));

    log.clear();
    root.AddComponent<ClickTarget>(&log, "R2", true);
    root.AddComponent<ClickTarget>(&log, "R3", true);
    EXPECT_TRUE(ClickPass(root));
    EXPECT_EQ(log, (Log{"G", "C2", "C1", "R1", "R2"}));

    log.clear();
    first.AddComponent<ClickTarget>(&log, "C1b", true);
    EXPECT_TRUE(ClickPass(root));
    EXPECT_EQ(log, (Log{"G", "C2", "C1", "C1b"}));
}

TEST_F(EntityPasses, CameraSpaceCanvasPutsTheCameraInverseOverItsSubtreeAndOnlyTheFirstCounts) {
    Entity& hud = Place(AddRoot("Hud"), {0.0f, 50.0f});
    hud.AddComponent<TestCanvas>(true);
    auto* own = hud.AddComponent<DrawSpy>();
    Entity& icon = Place(AddChild(hud, "Icon"), {3.0f, 0.0f});
    auto* spy = icon.AddComponent<DrawSpy>();
    auto* click = icon.AddComponent<ClickTarget>(&log, "Icon", true);
    Entity& screen = Place(AddRoot("Screen"), {0.0f, 50.0f});
    screen.AddComponent<TestCanvas>(false);
    screen.AddComponent<TestCanvas>(true);
    auto* screenSpy = screen.AddComponent<DrawSpy>();

    RunFrame(true);
    // Own matrix first, then the camera's inverse: (0, 50) + (-100, 0) + (3, 0).
    EXPECT_EQ(own->depth, 2u);
    EXPECT_FLOAT_EQ(spy->matrix.m[0][2], -97.0f);
    EXPECT_FLOAT_EQ(spy->matrix.m[1][2], 50.0f);
    EXPECT_EQ(click->seenWith, spy->matrix);
    EXPECT_EQ(screenSpy->depth, 1u);
    EXPECT_FLOAT_EQ(screenSpy->matrix.m[0][2], 0.0f);
}

}  // namespace
}  // namespace EntityTest
