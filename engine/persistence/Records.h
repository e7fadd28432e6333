#pragma once
#include <string>

#include "engine/core/Singleton.h"

namespace VelaEngine {

// The saved key/value records of the game.
class Records : public Singleton<Records> {
public:
    static constexpr const char* kServiceName = "Records";
    void Init(const std::string& folderName);
};

}  // namespace VelaEngine

VELA_SERVICE_HOLDER_DECLARATION(VelaEngine::Records)
