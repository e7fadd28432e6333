#include "engine/physics/Material.h"

#include "engine/scene/ValueText.h"

namespace VelaEngine::Collision {

std::string Material::ToString() const {
    return "Material{" + Serialize() + "}";
}

void Material::Deserialize(const std::string& text) {
    float values[2] = {bounce, friction};
    ReadFloats(text, values, 2, "Material wrong Serialization format");
    bounce = values[0];
    friction = values[1];
}

std::string Material::Serialize() const {
    const float values[2] = {bounce, friction};
    return FormatFloats(values, 2);
}

}  // namespace VelaEngine::Collision
