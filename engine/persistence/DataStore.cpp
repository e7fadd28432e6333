#include "engine/persistence/DataStore.h"

namespace VelaEngine {

// Filled in with the saved-records work; until then there is no data folder.
void DataStore::Init(const std::string&) {}
const std::string& DataStore::GetPath() { return path_; }

}  // namespace VelaEngine
