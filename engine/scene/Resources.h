#pragma once
#include <string>

#include "engine/core/Singleton.h"
#include "engine/scene/ComponentFactory.h"

namespace VelaEngine {

// Asset caches and the component factory.
class Resources : public Singleton<Resources> {
public:
    static constexpr const char* kServiceName = "Resources";
    void Init(const std::string& assetPath, ComponentFactory factory);

private:
    std::string assetPath_;
    ComponentFactory factory_ = nullptr;
};

}  // namespace VelaEngine

VELA_SERVICE_HOLDER_DECLARATION(VelaEngine::Resources)
