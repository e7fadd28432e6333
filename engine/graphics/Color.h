#pragma once
// A tint colour. The renderers read the channels in storage order (alpha first), while the
// text runs red, green, blue, alpha: "r,g,b,a".
#include <string>

#include "engine/scene/Object.h"

namespace VelaEngine::Graphics {

class Color : public Object, public ISerializedField {
public:
    float a = 1.0f;
    float b = 1.0f;
    float g = 1.0f;
    float r = 1.0f;

    Color() = default;
    Color(float red, float green, float blue, float alpha) : a(alpha), b(blue), g(green), r(red) {}

    std::string ToString() const override;
    void Deserialize(const std::string& text) override;
    std::string Serialize() const override;

    bool operator==(const Color& o) const { return a == o.a && b == o.b && g == o.g && r == o.r; }
};

}  // namespace VelaEngine::Graphics
