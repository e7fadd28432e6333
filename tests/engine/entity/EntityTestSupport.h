#pragma once
// A small world for entity tests: the matrix stack, a root list registered as the current
// scene, a frame in the scene's pass order, and components that record what reaches them.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/entity/CollisionEvents.h"
#include "engine/entity/Entity.h"
#include "engine/entity/EntityPasses.h"
#include "engine/entity/MatrixStack.h"
#include "engine/entity/SceneRoots.h"
#include "engine/entity/Transform.h"
#include "engine/entity/VelaBehavior.h"
#include "engine/physics/CollisionCandidates.h"

namespace EntityTest {

using namespace VelaEngine;
using Log = std::vector<std::string>;

// Records its hooks, its entity's draw events and clicks as "<tag>:<what>".
class Probe : public VelaBehavior {
public:
    Probe(Entity* owner, Log* log, std::string tag)
        : VelaBehavior(owner), log_(log), tag_(std::move(tag)) {
        owner->GetDrawListeners().Register(draw_);
    }
    ~Probe() override { Record("~"); }

    const char* GetTypeName() const override { return "Probe"; }
    std::shared_ptr<Component> Clone(Entity* owner) const override {
        return std::make_shared<Probe>(owner, log_, tag_);
    }

    void Awake() override { Hook("Awake", onAwake); }
    void Start() override { Record("Start"); }
    void Update() override { Hook("Update", onUpdate); }
    bool HandleClick() override {
        Record("Click");
        return consumes;
    }

    std::function<void()> onAwake, onUpdate;
    bool consumes = false;

private:
    void Record(const std::string& what) { log_->push_back(tag_ + ":" + what); }
    void Hook(const char* what, const std::function<void()>& extra) {
        Record(what);
        if (extra) {
            extra();
        }
    }
    void OnDraw(const Events::EventBase&) { Record("Draw"); }

    Log* log_;
    std::string tag_;
    Events::ClassListener<Probe> draw_{this, &Probe::OnDraw};
};

// Records the stack while its entity draws and when it is offered a click.
class DrawSpy : public Component {
public:
    explicit DrawSpy(Entity* owner) : Component(owner) {
        owner->GetDrawListeners().Register(listener_);
    }
    const char* GetTypeName() const override { return "DrawSpy"; }
    std::shared_ptr<Component> Clone(Entity* owner) const override {
        return std::make_shared<DrawSpy>(owner);
    }
    bool HandleClick() override {
        clicked = MatrixStack::Get().GetCurrent();
        return false;
    }
    Matrix3x3 matrix, clicked;
    std::size_t depth = 0;

private:
    void OnDraw(const Events::EventBase&) {
        matrix = MatrixStack::Get().GetCurrent();
        depth = MatrixStack::Get().GetDepth();
    }
    Events::ClassListener<DrawSpy> listener_{this, &DrawSpy::OnDraw};
};

// Entities start with scale (0, 0); this places one, by default at unit scale.
inline Entity& Place(Entity& entity, Vector2 position, float rotation = 0.0f,
                     Vector2 scale = {1.0f, 1.0f}) {
    Transform& t = entity.GetTransform();
    t.SetPosition(position);
    t.SetRotation(rotation);
    t.SetScale(scale);
    return entity;
}

// Fresh services and an empty current scene for every test.
class EntityWorld : public ::testing::Test {
protected:
    void SetUp() override {
        MatrixStack::Create();
        SetSceneRoots(&roots);
    }
    void TearDown() override {
        SetSceneRoots(nullptr);
        roots.clear();
        MatrixStack::Release();
    }

    Entity& AddRoot(const std::string& name) {
        roots.push_back(Entity::Create(name));
        return *roots.back();
    }
    static Entity& AddChild(Entity& parent, const std::string& name) {
        auto child = Entity::Create(name);
        child->GetTransform().SetParent(&parent.GetTransform());
        return *child;
    }

    // The click, from the last root down until one consumes it.
    void Click() {
        for (auto it = roots.rbegin(); it != roots.rend(); ++it) {
            if (ClickPass(**it)) {
                return;
            }
        }
    }
    // The scene's frame: awake/start and the collision candidates per root, the click from the
    // last root down, then each root's update, physics-step, collision and draw before the
    // next one moves, then removal.
    void RunFrame(bool click = false) {
        Events::CollisionEvent event;
        for (const auto& root : roots) {
            AwakeStartPass(*root);
            GatherPhysicsCandidates(*root, event.candidates);
        }
        if (click) {
            Click();
        }
        for (const auto& root : roots) {
            UpdatePass(*root);
            PhysicsStepPass(*root);
            CollisionPass(*root, event);
            DrawPass(*root);
        }
        RemoveDestroyed(roots);
        EXPECT_EQ(MatrixStack::Get().GetDepth(), 0u) << "a pass left a matrix on the stack";
    }

    EntityList roots;
    Log log;
};

}  // namespace EntityTest
