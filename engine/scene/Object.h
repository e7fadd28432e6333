#pragma once
#include <string>

namespace VelaEngine {

// Root of everything that can describe itself; nothing parses this text back.
class Object {
public:
    virtual ~Object() = default;
    virtual std::string ToString() const = 0;
};

// A value that reads and writes its own compact text form.
class ISerializedField {
public:
    virtual ~ISerializedField() = default;
    virtual void Deserialize(const std::string& text) = 0;
    virtual std::string Serialize() const = 0;
};

}  // namespace VelaEngine
