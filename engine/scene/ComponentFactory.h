#pragma once
#include <string>

namespace VelaEngine {

class Component;
class Entity;

// Makes the component named `typeName`, already added to `owner`; null for a name it does
// not make.
using ComponentFactory = Component* (*)(const std::string& typeName, Entity& owner);

}  // namespace VelaEngine
