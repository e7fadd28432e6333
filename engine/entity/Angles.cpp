#include "engine/entity/Angles.h"

#include <cmath>

namespace VelaEngine {

float Sin(float radians) {
    return static_cast<float>(std::sin(static_cast<double>(radians)));
}
float Cos(float radians) {
    return static_cast<float>(std::cos(static_cast<double>(radians)));
}

}  // namespace VelaEngine
