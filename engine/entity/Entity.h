#pragma once
// A named node of the scene tree: it owns its components (the transform first) and its
// children, carries tags, and keeps the listener lists through which the passes reach its
// components.
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "engine/entity/CanvasSpace.h"
#include "engine/entity/Component.h"
#include "engine/entity/EntityList.h"
#include "engine/entity/EntityStorage.h"
#include "engine/entity/Listener.h"
#include "engine/scene/IResource.h"
#include "engine/scene/Object.h"

namespace VelaEngine {

class Entity;
class ICanvasSpace;
class RestShortcut;
class Transform;

class Entity : public Object, public IResource, public std::enable_shared_from_this<Entity> {
public:
    // The only way to make one: the entity must be shared for its children and self links.
    static std::shared_ptr<Entity> Create(const std::string& name);
    ~Entity() override;
    Entity(const Entity&) = delete;
    Entity& operator=(const Entity&) = delete;

    std::string ToString() const override { return name_; }
    const std::string& GetName() const { return name_; }

    // The component's constructor has already registered its listeners.
    void AddComponent(std::shared_ptr<Component> component);
    // Builds a T on this entity and adds it.
    template <class T, class... Args>
    T* AddComponent(Args&&... args) {
        auto component = MakePacked<T>(this, std::forward<Args>(args)...);
        T* raw = component.get();
        // The type is known here, so the canvas test costs nothing at run time.
        ICanvasSpace* canvas = nullptr;
        if constexpr (std::is_base_of_v<ICanvasSpace, T>) {
            canvas = raw;
        }
        Adopt(std::move(component), canvas);
        return raw;
    }
    // The first component, in list order, that is a T.
    template <class T>
    T* GetComponent() const {
        for (const auto& component : components_) {
            if (T* found = dynamic_cast<T*>(component.get())) {
                return found;
            }
        }
        return nullptr;
    }
    using ComponentVector =
        std::vector<std::shared_ptr<Component>, PackedAllocator<std::shared_ptr<Component>>>;
    const ComponentVector& GetComponents() const { return components_; }

    Transform& GetTransform() const { return *transform_; }
    Transform* GetTransformPtr() const { return transform_; }
    // The first component that can put the subtree in camera space, if any.
    ICanvasSpace* GetCanvasSpace() const { return canvasSpace_; }
    // The first component that offered to take the step and collision visits at rest, if
    // any; offered from its constructor, so kept for the entity's life.
    RestShortcut* GetRestShortcut() const { return restShortcut_; }
    void OfferRestShortcut(RestShortcut* shortcut) {
        if (restShortcut_ == nullptr) {
            restShortcut_ = shortcut;
        }
    }

    EntityList& GetChildren() { return children_; }
    const EntityList& GetChildren() const { return children_; }

    std::set<std::string>& GetTags() { return tags_; }
    const std::set<std::string>& GetTags() const { return tags_; }
    bool HasTag(const std::string& tag) const { return tags_.count(tag) != 0; }

    // Only marks: the entity sees the rest of the frame and leaves at its end.
    void Destroy() {
        destroyed_ = true;
        ++EntityTree::destroyRequests;
    }
    bool IsDestroyed() const { return destroyed_; }
    // Kept across scene changes; meant for root entities.
    void SetPersistent(bool persistent) { persistent_ = persistent; }
    bool IsPersistent() const { return persistent_; }

    // The entity's entry in the frame's pass plan (PassPlan.h); only the plan reads it.
    std::int32_t GetPassSlot() const { return passSlot_; }
    void SetPassSlot(std::int32_t slot) { passSlot_ = slot; }

    Events::ListenerList& GetAwakeListeners() { return awakeListeners_; }
    Events::ListenerList& GetStartListeners() { return startListeners_; }
    Events::ListenerList& GetUpdateListeners() { return updateListeners_; }
    Events::ListenerList& GetPhysicsStepListeners() { return physicsStepListeners_; }
    Events::ListenerList& GetCollisionEventListeners() { return collisionEventListeners_; }
    Events::ListenerList& GetDrawListeners() { return drawListeners_; }
    Events::ListenerList& GetContactListeners() { return contactListeners_; }

    // Over the current scene (SceneRoots.h). A one-part path matches a whole name at any
    // depth, shallowest first; a longer one walks down from a root, name by name.
    static Entity* Find(const std::string& path);
    // Breadth first over the current scene: level order, then list order.
    static std::vector<Entity*> FindWithTag(const std::string& tag);

private:
    // Lets only Create build one, though the packed store needs a public constructor.
    struct Key {
        explicit Key() = default;
    };

public:
    Entity(Key, std::string name);

private:
    // Adds a component whose canvas side, if any, is already known.
    void Adopt(std::shared_ptr<Component> component, ICanvasSpace* canvas);

    // What the frame's passes and contacts read of every entity, every frame, first and
    // together: fewer cache lines a visit. The rest is read seldom.
    Transform* transform_ = nullptr;
    bool destroyed_ = false;
    bool persistent_ = false;
    std::int32_t passSlot_ = -1;
    Events::ListenerList updateListeners_;
    Events::ListenerList physicsStepListeners_;
    Events::ListenerList collisionEventListeners_;
    Events::ListenerList contactListeners_;
    // A resting body asks every frame whether its entity has children.
    EntityList children_;
    ComponentVector components_;
    Events::ListenerList drawListeners_;
    ICanvasSpace* canvasSpace_ = nullptr;
    RestShortcut* restShortcut_ = nullptr;
    Events::ListenerList awakeListeners_;
    Events::ListenerList startListeners_;
    std::string name_;
    std::set<std::string> tags_;
};

}  // namespace VelaEngine
