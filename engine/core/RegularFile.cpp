#include "engine/core/RegularFile.h"

#include <sys/stat.h>

namespace VelaEngine {

bool IsRegularFile(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace VelaEngine
