#include "engine/persistence/Records.h"

namespace VelaEngine {

// Nothing is loaded yet: the record file arrives with the saved-records work.
void Records::Init(const std::string&) {}

}  // namespace VelaEngine
