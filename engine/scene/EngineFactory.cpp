// The engine's own component types, compared by exact name in table order.
#include <array>

#include "engine/animation/Animation.h"
#include "engine/audio/AudioSource.h"
#include "engine/entity/Entity.h"
#include "engine/scene/Resources.h"

namespace VelaEngine {

namespace {
struct EngineComponentType {
    const char* name;
    Component* (*make)(Entity& owner);
};

// Builds a T on the owner; the table's makers are instances of this.
template <class T>
Component* Make(Entity& owner) {
    return owner.AddComponent<T>();
}

// Each engine component joins this table as it is written.
constexpr std::array<EngineComponentType, 2> kEngineTypes{{

    {"Animation", &Make<Mecanim::Animation>},
    {"AudioSource", &Make<Audio::AudioSource>},
}};
}  // namespace

Component* Resources::CreateEngineComponent(const std::string& typeName, Entity& owner) {
    for (const EngineComponentType& type : kEngineTypes) {
        if (typeName == type.name) {
            return type.make(owner);
        }
    }
    return nullptr;
}

}  // namespace VelaEngine
