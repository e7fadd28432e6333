#pragma once
#include "engine/core/Singleton.h"

namespace VelaEngine {

// The stack of world matrices the entity passes push and pop.
class MatrixStack : public Singleton<MatrixStack> {
public:
    // The stack reports itself under the matrix type's name.
    static constexpr const char* kServiceName = "Matrix3x3";
    void Reset();
};

}  // namespace VelaEngine

VELA_SERVICE_HOLDER_DECLARATION(VelaEngine::MatrixStack)
