#include "engine/entity/EntityPasses.h"

#include "engine/entity/CanvasSpace.h"
#include "engine/entity/MatrixStack.h"
#include "engine/entity/Transform.h"

namespace VelaEngine {

namespace {

// Pushes the entity's local matrix for the scope unless it is the identity, so grouping
// entities cost no products.
class EnterEntity {
public:
    EnterEntity(MatrixStack& stack, Entity& entity) : stack_(stack) {
        Transform& transform = entity.GetTransform();
        pushed_ = !transform.IsIdentity();
        if (pushed_) {
            stack_.Push(transform.GetLocalMatrix());
        }
    }
    ~EnterEntity() {
        if (pushed_) {
            stack_.Pop();
        }
    }
    EnterEntity(const EnterEntity&) = delete;
    EnterEntity& operator=(const EnterEntity&) = delete;

private:
    MatrixStack& stack_;
    bool pushed_;
};

// Puts the camera's inverse on the stack for the scope when the entity's canvas asks for it.
class EnterCanvas {
public:
    EnterCanvas(MatrixStack& stack, Entity& entity) : stack_(stack) {
        ICanvasSpace* canvas = entity.GetCanvasSpace();
        Matrix3x3 cameraInverse;
        pushed_ = canvas != nullptr && canvas->GetCameraInverse(cameraInverse);
        if (pushed_) {
            stack_.Push(cameraInverse);
        }
    }
    ~EnterCanvas() {
        if (pushed_) {
            stack_.Pop();
        }
    }
    EnterCanvas(const EnterCanvas&) = delete;
    EnterCanvas& operator=(const EnterCanvas&) = delete;

private:
    MatrixStack& stack_;
    bool pushed_;
};

// The shape shared by the update, physics-step and collision passes. Children appended
// during the walk are reached by it.
void InvokeTree(MatrixStack& stack, Entity& entity, Events::ListenerList& (Entity::*list)(),
                const Events::EventBase& event) {
    EnterEntity enter(stack, entity);
    (entity.*list)().Invoke(event);
    for (const auto& child : entity.GetChildren()) {
        InvokeTree(stack, *child, list, event);
    }
}

void AwakeStartTree(MatrixStack& stack, Entity& entity) {
    EnterEntity enter(stack, entity);
    entity.GetAwakeListeners().Fire();
    entity.GetStartListeners().Fire();
    for (const auto& child : entity.GetChildren()) {
        AwakeStartTree(stack, *child);
    }
}

void DrawTree(MatrixStack& stack, Entity& entity) {
    EnterEntity enter(stack, entity);
    EnterCanvas canvas(stack, entity);
    entity.GetDrawListeners().Invoke(Events::EmptyEvent());
    for (const auto& child : entity.GetChildren()) {
        DrawTree(stack, *child);
    }
}

bool TopDownTree(MatrixStack& stack, Entity& entity, const std::function<bool(Component&)>& visit) {
    EnterEntity enter(stack, entity);
    EnterCanvas canvas(stack, entity);
    // Last drawn is on top, so it is asked first; children appended meanwhile are not asked.
    EntityList& children = entity.GetChildren();
    for (auto it = children.end(); it != children.begin();) {
        --it;
        if (TopDownTree(stack, **it, visit)) {
            return true;
        }
    }
    // By index: a click handler may add components.
    const auto& components = entity.GetComponents();
    for (std::size_t i = 0; i < components.size(); ++i) {
        if (visit(*components[i])) {
            return true;
        }
    }
    return false;
}

void RemoveDestroyedChildren(Entity& entity) {
    EntityList& children = entity.GetChildren();
    children.remove_if([](const std::shared_ptr<Entity>& child) { return child->IsDestroyed(); });
    for (const auto& child : children) {
        RemoveDestroyedChildren(*child);
    }
}

}  // namespace

void AwakeStartPass(Entity& entity) {
    AwakeStartTree(MatrixStack::Get(), entity);
}

void UpdatePass(Entity& entity) {
    InvokeTree(MatrixStack::Get(), entity, &Entity::GetUpdateListeners, Events::EmptyEvent());
}

void PhysicsStepPass(Entity& entity) {
    InvokeTree(MatrixStack::Get(), entity, &Entity::GetPhysicsStepListeners, Events::EmptyEvent());
}

void CollisionPass(Entity& entity, const Events::CollisionEvent& event) {
    InvokeTree(MatrixStack::Get(), entity, &Entity::GetCollisionEventListeners, event);
}

void DrawPass(Entity& entity) {
    DrawTree(MatrixStack::Get(), entity);
}

bool ClickPass(Entity& entity) {
    return TopDownTree(MatrixStack::Get(), entity,
                       [](Component& component) { return component.HandleClick(); });
}

bool TopDownPass(Entity& entity, const std::function<bool(Component&)>& visit) {
    return TopDownTree(MatrixStack::Get(), entity, visit);
}

void RemoveDestroyed(EntityList& roots) {
    if (roots.UnchangedSinceSweep()) {
        return;
    }
    roots.remove_if([](const std::shared_ptr<Entity>& root) { return root->IsDestroyed(); });
    for (const auto& root : roots) {
        RemoveDestroyedChildren(*root);
    }
    roots.MarkSwept();
}

}  // namespace VelaEngine
