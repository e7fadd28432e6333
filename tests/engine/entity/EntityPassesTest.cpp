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

TEST_F(EntityPasses, ListenersSeeTheWorldPlacementAndIdentitiesAreNotPushed) {
    Entity& parent = Place(AddRoot("P"), {10.0f, 0.0f}, 90.0f);
    Entity& group = Place(AddChild(parent, "Group"), {0.0f, 0.0f});
    Entity& child = Place(AddChild(group, "C"), {5.0f, 0.0f});
    auto* spy = child.AddComponent<DrawSpy>();
    auto* groupSpy = group.AddComponent<DrawSpy>();
    auto* click = child.AddComponent<ClickTarget>(&log, "C", true);

    DrawPass(parent);
    EXPECT_EQ(groupSpy->depth, 1u) << "an identity transform pushes nothing";
    EXPECT_EQ(spy->depth, 2u);
    EXPECT_NEAR(spy->matrix.m[0][2], 10.0f, 1e-5f);
    EXPECT_NEAR(spy->matrix.m[1][2], 5.0f, 1e-5f);
    EXPECT_EQ(spy->matrix, child.GetTransform().GetWorldMatrix());
    EXPECT_EQ(MatrixStack::Get().GetDepth(), 0u);

    EXPECT_TRUE(ClickPass(parent));
    EXPECT_EQ(click->seenWith, spy->matrix);
    EXPECT_EQ(MatrixStack::Get().GetDepth(), 0u);
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

using Entities = EntityWorld;

TEST_F(Entities, GetComponentReturnsTheFirstMatchInListOrder) {
    Entity& e = AddRoot("E");
    auto* first = e.AddComponent<Probe>(&log, "first");
    e.AddComponent<Probe>(&log, "second");
    e.AddComponent(e.GetTransform().Clone(&e));
    EXPECT_EQ(e.GetComponent<Probe>(), first);
    EXPECT_EQ(e.GetComponent<VelaBehavior>(), first);
    EXPECT_EQ(e.GetComponent<Transform>(), &e.GetTransform());
    EXPECT_EQ(e.GetComponent<Component>(), &e.GetTransform());
    EXPECT_EQ(e.GetComponent<DrawSpy>(), nullptr);
    // A component made on the entity knows the entity's transform.
    EXPECT_EQ(first->GetTransform(), &e.GetTransform());
    EXPECT_EQ(first->GetOwner(), &e);
}

}  // namespace
}  // namespace EntityTest
