#include "engine/graphics/Color.h"

#include "engine/scene/ValueText.h"

namespace VelaEngine::Graphics {

std::string Color::ToString() const {
    return "Color{" + Serialize() + "}";
}

void Color::Deserialize(const std::string& text) {
    float rgba[4] = {r, g, b, a};
    ReadFloats(text, rgba, 4, "Color wrong Serialization format");
    r = rgba[0];
    g = rgba[1];
    b = rgba[2];
    a = rgba[3];
}

std::string Color::Serialize() const {
    const float rgba[4] = {r, g, b, a};
    return FormatFloats(rgba, 4);
}

}  // namespace VelaEngine::Graphics
