#pragma once
// Lookups the game's behaviours share over the current scene.
#include "engine/entity/Entity.h"
#include "engine/entity/Listener.h"
#include "engine/entity/SceneRoots.h"

namespace Game {

// The first T in a depth-first walk of the current scene: each entity's own components
// first, then its children, roots in scene order. Null when there is none.
template <class T>
T* FindInScene() {
    struct Walk {
        static T* In(VelaEngine::Entity& entity) {
            if (T* found = entity.GetComponent<T>()) {
                return found;
            }
            for (const auto& child : entity.GetChildren()) {
                if (T* found = In(*child)) {
                    return found;
                }
            }
            return nullptr;
        }
    };
    const VelaEngine::EntityList* roots = VelaEngine::GetSceneRoots();
    if (roots == nullptr) {
        return nullptr;
    }
    for (const auto& root : *roots) {
        if (T* found = Walk::In(*root)) {
            return found;
        }
    }
    return nullptr;
}

// Moves the named entity's transform to (x, y); false when no entity has that name.
bool MoveEntityTo(const std::string& name, float x, float y);

// Adds the listener to the click listeners of the entity's first Button; false, and nothing
// registered, when the entity is missing or has no button.
bool ListenToButton(VelaEngine::Entity* entity, VelaEngine::Events::Listener& listener);

// Shows a sprite resource on the entity's first Image; nothing without an image.
void ShowSprite(VelaEngine::Entity& entity, const std::string& spriteName);

// Plays a sound resource on the entity's first AudioSource; silent without one.
void PlayOn(VelaEngine::Entity& entity, const std::string& soundName);

}  // namespace Game
