#pragma once
// One short-lived square of a particle system.
#include <memory>

#include "engine/graphics/Color.h"
#include "engine/scene/Vector2.h"

namespace VelaEngine::Graphics {

class Sprite;

struct Particle {
    Point2 position;  // relative to the system's entity
    Vector2 velocity;
    Vector2 acceleration;
    float lifetime = 0.0f;  // seconds
    float age = 0.0f;
    std::shared_ptr<Sprite> sprite;  // null: a plain square
    float size = 0.0f;               // world units
    Color colour;
};

}  // namespace VelaEngine::Graphics
