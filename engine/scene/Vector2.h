#pragma once
// Two-component values: a displacement (Vector2), a place (Point2) and a direction (Normal2).
// Each reads and writes "x,y" and describes itself as "Name{x,y}".
#include <string>

#include "engine/scene/Object.h"

namespace VelaEngine {

class Vector2 : public Object, public ISerializedField {
public:
    float x = 0.0f;
    float y = 0.0f;

    Vector2() = default;
    Vector2(float x_, float y_) : x(x_), y(y_) {}

    std::string ToString() const override;
    void Deserialize(const std::string& text) override;
    std::string Serialize() const override;

    Vector2 operator+(const Vector2& o) const { return {x + o.x, y + o.y}; }
    Vector2 operator-(const Vector2& o) const { return {x - o.x, y - o.y}; }
    Vector2 operator-() const { return {-x, -y}; }
    Vector2 operator*(float s) const { return {x * s, y * s}; }
    Vector2 operator/(float s) const { return {x / s, y / s}; }
    Vector2& operator+=(const Vector2& o) {
        x += o.x;
        y += o.y;
        return *this;
    }
    Vector2& operator-=(const Vector2& o) {
        x -= o.x;
        y -= o.y;
        return *this;
    }
    bool operator==(const Vector2& o) const { return x == o.x && y == o.y; }

    float Dot(const Vector2& o) const { return x * o.x + y * o.y; }
    float LengthSquared() const { return x * x + y * y; }
    float Length() const;
};

class Point2 : public Object, public ISerializedField {
public:
    float x = 0.0f;
    float y = 0.0f;

    Point2() = default;
    Point2(float x_, float y_) : x(x_), y(y_) {}

    std::string ToString() const override;
    void Deserialize(const std::string& text) override;
    std::string Serialize() const override;

    Point2 operator+(const Vector2& v) const { return {x + v.x, y + v.y}; }
    Point2 operator-(const Vector2& v) const { return {x - v.x, y - v.y}; }
    Vector2 operator-(const Point2& o) const { return {x - o.x, y - o.y}; }
    bool operator==(const Point2& o) const { return x == o.x && y == o.y; }
};

class Normal2 : public Object, public ISerializedField {
public:
    float x = 0.0f;
    float y = 0.0f;

    Normal2() = default;
    Normal2(float x_, float y_) : x(x_), y(y_) {}

    std::string ToString() const override;
    void Deserialize(const std::string& text) override;
    std::string Serialize() const override;

    bool operator==(const Normal2& o) const { return x == o.x && y == o.y; }
};

}  // namespace VelaEngine
