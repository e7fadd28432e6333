// The engine's own component types, compared by exact name in table order.
#include "engine/animation/Animation.h"
#include "engine/audio/AudioSource.h"
#include "engine/entity/Entity.h"
#include "engine/graphics/AnimatedImage.h"
#include "engine/graphics/Camera.h"
#include "engine/graphics/Canvas.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/graphics/Text.h"
#include "engine/input/Button.h"
#include "engine/input/ButtonLook.h"
#include "engine/physics/CircleCollider.h"
#include "engine/physics/DynamicBody2D.h"
#include "engine/physics/RectCollider.h"
#include "engine/physics/StaticBody2D.h"
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
    {"Image", &Make<Graphics::Image>},
    {"AnimatedImage", &Make<Graphics::AnimatedImage>},
    {"Canvas", &Make<Graphics::Canvas>},
    {"Button", &Make<UI::Button>},
    {"DynamicBody2D", &Make<DynamicBody2D>},
    {"StaticBody2D", &Make<StaticBody2D>},
    {"CircleCollider", &Make<Collision::CircleCollider>},
    {"RectCollider", &Make<Collision::RectCollider>},
    {"Camera", &Make<Camera>},
    {"Animation", &Make<Mecanim::Animation>},
    {"ParticleSystem", &Make<Graphics::ParticleSystem>},
    {"AudioSource", &Make<Audio::AudioSource>},
    {"ButtonLook", &Make<UI::ButtonLook>},
    {"Text", &Make<Graphics::Text>},
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
