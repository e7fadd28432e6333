#include "engine/core/Random.h"

namespace VelaEngine {

float Random::Range(const float& minimum, const float& maximum) {
    state_ = (state_ * multiplier_ + increment_) % modulus_;
    const float unit = static_cast<float>(static_cast<double>(state_)) * 2.3283064e-10f;
    return minimum + unit * (maximum - minimum);
}

}  // namespace VelaEngine
