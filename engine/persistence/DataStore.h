#pragma once
#include <string>

#include "engine/core/Singleton.h"

namespace VelaEngine {

// Works out the per-user data folder once at start-up; nothing is created on disk.
class DataStore : public Singleton<DataStore> {
public:
    static constexpr const char* kServiceName = "DataStore";
    // The path becomes the home folder + "/VelaEngine/" + folderName.
    void Init(const std::string& folderName);
    const std::string& GetPath();

private:
    std::string path_;
};

}  // namespace VelaEngine

VELA_SERVICE_HOLDER_DECLARATION(VelaEngine::DataStore)
