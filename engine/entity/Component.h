#pragma once
// The base of everything attached to an entity. Concrete components register their
// listeners in the owner's lists from their constructor.
#include <memory>
#include <string>

#include "engine/entity/EntityStorage.h"
#include "engine/entity/SharedFromThis.h"

namespace VelaEngine {

class Entity;
class FieldMap;
class Transform;

class Component : public enable_shared_from_this_depreciated<Component> {
public:
    // The owner's transform is taken as it is now; in a Transform itself it stays null.
    explicit Component(Entity* owner);
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    // The name scene files and the component factory use ("Transform", "Wind", ...).
    virtual const char* GetTypeName() const = 0;
    // One instruction of an animation clip.
    virtual void ApplyInstruction(const std::string& instruction);
    // False for components that react to the player's input themselves (buttons, tinters).
    virtual bool IsPassive() const;
    // Offered the frame's click; true consumes it.
    virtual bool HandleClick();
    virtual void Deserialize(const FieldMap& fields);
    // A copy of the settings for another entity; adding it there is the caller's choice.
    virtual std::shared_ptr<Component> Clone(Entity* newOwner) const = 0;
    virtual ~Component() = default;

    Entity* GetOwner() const { return owner_; }
    Transform* GetTransform() const { return transform_; }
    bool IsEnabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }

private:
    Entity* const owner_;
    Transform* const transform_;
    bool enabled_ = true;
};

}  // namespace VelaEngine
