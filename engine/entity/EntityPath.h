#pragma once
// A reference to another object of the scene, written as a path in the field map and
// turned into a pointer once, right before the owning behaviour's Awake.
#include <string>

#include "engine/entity/Listener.h"
#include "engine/entity/VelaBehavior.h"
#include "engine/scene/Object.h"

namespace VelaEngine {

class Entity;

// Hears of every path that named nothing when it was resolved; a scene checker sets one, the
// game none (a path to nothing simply leaves its target null there).
using UnresolvedPathReporter = void (*)(const std::string& path);
void SetUnresolvedPathReporter(UnresolvedPathReporter reporter);
void ReportUnresolvedPath(const std::string& path);

template <class T>
class ObjectPath : public ISerializedField {
public:
    // `target` is the owner's field that receives the object.
    ObjectPath(T** target, VelaBehavior* owner)
        : target_(target), resolveListener_(this, &ObjectPath::OnResolve) {
        owner->GetBeforeAwakeListeners().Register(resolveListener_);
    }
    ObjectPath(const ObjectPath&) = delete;
    ObjectPath& operator=(const ObjectPath&) = delete;

    // The text is the path itself, untrimmed.
    void Deserialize(const std::string& text) override { path_ = text; }
    std::string Serialize() const override { return path_; }
    virtual T* Resolve() = 0;

    const std::string& GetPath() const { return path_; }

private:
    void OnResolve(const Events::EventBase&) {
        *target_ = Resolve();
        if (*target_ == nullptr && !path_.empty()) {
            ReportUnresolvedPath(path_);
        }
    }

    T** target_;
    Events::ClassListener<ObjectPath> resolveListener_;
    std::string path_;
};

// Resolved with Entity::Find over the current scene; a name that matches nothing gives null.
class EntityPath : public ObjectPath<Entity> {
public:
    EntityPath(Entity** target, VelaBehavior* owner) : ObjectPath(target, owner) {}
    Entity* Resolve() override;
};

}  // namespace VelaEngine
