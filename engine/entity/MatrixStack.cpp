#include "engine/entity/MatrixStack.h"

namespace VelaEngine {

// No matrices exist yet; the entity passes bring the stack itself.
void MatrixStack::Reset() {}

}  // namespace VelaEngine
