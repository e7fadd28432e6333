#include "engine/entity/Entity.h"

#include "engine/entity/CanvasSpace.h"
#include "engine/entity/Transform.h"

namespace VelaEngine {

std::shared_ptr<Entity> Entity::Create(const std::string& name) {
    return MakePacked<Entity>(Key{}, name);
}

Entity::Entity(Key, std::string name) : name_(std::move(name)) {
    auto transform = MakePacked<Transform>(this);
    transform_ = transform.get();
    components_.push_back(std::move(transform));
}

Entity::~Entity() {
    // Children and components go while the rest of the entity is still whole, newest
    // component first, so a component's destructor can still reach its owner and transform.
    children_.clear();
    while (!components_.empty()) {
        components_.pop_back();
    }
}

void Entity::AddComponent(std::shared_ptr<Component> component) {
    ICanvasSpace* canvas =
        canvasSpace_ == nullptr ? dynamic_cast<ICanvasSpace*>(component.get()) : nullptr;
    Adopt(std::move(component), canvas);
}

void Entity::Adopt(std::shared_ptr<Component> component, ICanvasSpace* canvas) {
    // A new collider or body can make the entity a collision candidate.
    EntityTree::ShapeChanged();
    if (canvasSpace_ == nullptr) {
        canvasSpace_ = canvas;
    }
    components_.push_back(std::move(component));
}

}  // namespace VelaEngine
