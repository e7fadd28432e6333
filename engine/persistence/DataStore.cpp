#include "engine/persistence/DataStore.h"

#include "engine/persistence/RecordPaths.h"

namespace VelaEngine {

void DataStore::Init(const std::string& folderName) {
    path_ = DataFolderPath(HomeFolder(), folderName);
}

const std::string& DataStore::GetPath() {
    return path_;
}

}  // namespace VelaEngine
