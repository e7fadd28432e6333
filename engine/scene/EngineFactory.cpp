// The engine's own component types, compared by exact name in table order.
#include "engine/entity/Entity.h"
#include "engine/graphics/AnimatedImage.h"
#include "engine/graphics/Camera.h"
#include "engine/graphics/Canvas.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/ParticleSystem.h"
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
constexpr EngineComponentType kEngineTypes[] = {
    {"Image", Make<Graphics::Image>},
    {"AnimatedImage", Make<Graphics::AnimatedImage>},
    {"Canvas", Make<Graphics::Canvas>},

    {"Camera", Make<Camera>},

    {"ParticleSystem", Make<Graphics::ParticleSystem>},
};
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
