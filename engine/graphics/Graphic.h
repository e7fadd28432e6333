#pragma once
// The base of the components that draw a textured rectangle.
#include "engine/entity/Component.h"

namespace VelaEngine::Graphics {

class Graphic : public Component {
public:
    using Component::Component;
};

}  // namespace VelaEngine::Graphics
