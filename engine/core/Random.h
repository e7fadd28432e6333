#pragma once
#include <cstdint>

#include "engine/core/Singleton.h"

namespace VelaEngine {

// The program's only source of random numbers: a linear congruential generator.
class Random : public Singleton<Random> {
public:
    static constexpr const char* kServiceName = "Random";

    void SetSeed(uint32_t seed) { state_ = seed; }
    // Uniform in [minimum, maximum); advances the state once.
    float Range(const float& minimum, const float& maximum);

private:
    uint32_t multiplier_ = 1103515245u;
    uint32_t increment_ = 12345u;
    // All bits set, not 2^32: only the all-ones state folds to 0.
    uint32_t modulus_ = 4294967295u;
    uint32_t state_ = 0;
};

}  // namespace VelaEngine

VELA_SERVICE_HOLDER_DECLARATION(VelaEngine::Random)
