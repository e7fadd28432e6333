#include "engine/scene/Vector2.h"

#include <cmath>

#include "engine/scene/ValueText.h"

namespace VelaEngine {

namespace {
// The three share one text form; only the names differ.
template <class T>
void ReadPair(T& value, const std::string& text, const char* message) {
    float xy[2] = {value.x, value.y};
    ReadFloats(text, xy, 2, message);
    value.x = xy[0];
    value.y = xy[1];
}

template <class T>
std::string WritePair(const T& value) {
    const float xy[2] = {value.x, value.y};
    return FormatFloats(xy, 2);
}
}  // namespace

float Vector2::Length() const {
    return std::sqrt(x * x + y * y);
}

std::string Vector2::ToString() const {
    return "Vector2{" + WritePair(*this) + "}";
}
void Vector2::Deserialize(const std::string& text) {
    ReadPair(*this, text, "Vector2 wrong Serialization format");
}
std::string Vector2::Serialize() const {
    return WritePair(*this);
}

std::string Point2::ToString() const {
    return "Point2{" + WritePair(*this) + "}";
}
void Point2::Deserialize(const std::string& text) {
    ReadPair(*this, text, "Point2 wrong Serialization format");
}
std::string Point2::Serialize() const {
    return WritePair(*this);
}

std::string Normal2::ToString() const {
    return "Normal2{" + WritePair(*this) + "}";
}
void Normal2::Deserialize(const std::string& text) {
    ReadPair(*this, text, "Normal2 wrong Serialization format");
}
std::string Normal2::Serialize() const {
    return WritePair(*this);
}

}  // namespace VelaEngine
