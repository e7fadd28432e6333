#include "engine/entity/EntityPath.h"

#include "engine/entity/Entity.h"

namespace VelaEngine {

namespace {
UnresolvedPathReporter g_reporter = nullptr;
}  // namespace

void SetUnresolvedPathReporter(UnresolvedPathReporter reporter) {
    g_reporter = reporter;
}

void ReportUnresolvedPath(const std::string& path) {
    if (g_reporter != nullptr) {
        g_reporter(path);
    }
}

Entity* EntityPath::Resolve() {
    return Entity::Find(GetPath());
}

}  // namespace VelaEngine
