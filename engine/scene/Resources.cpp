#include "engine/scene/Resources.h"

namespace VelaEngine {

// Only remembers where assets live; the caches arrive with scene loading.
void Resources::Init(const std::string& assetPath, ComponentFactory factory) {
    
    assetPath_ = assetPath;
    factory_ = factory;
}

}  // namespace VelaEngine
