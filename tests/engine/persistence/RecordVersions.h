#pragma once
// Numbered versions of a whole record set, shared by the saving child and the test that
// checks what the child left on disk. Versions alternate between a long and a short set, so a
// file that mixes two versions or stops partway cannot pass for a complete one.
#include <string>

#include "engine/persistence/Records.h"
#include "engine/scene/FieldMap.h"

namespace RecordVersions {

// The child and the test hand Records the same title, so both reach the same record file.
inline constexpr const char* kTitle = "Fleetwing";

inline int EntryCount(long version) {
    return version % 2 == 0 ? 300 : 120;
}

// Replaces every value with those of `version`.
inline void Fill(VelaEngine::Records& records, long version) {
    records.Clear();
    records.SetInt("version", static_cast<int>(version));
    for (int i = 0; i < EntryCount(version); ++i) {
        records.SetInt("entry" + std::to_string(i), static_cast<int>(version * 1000 + i));
    }
}

// The version `values` holds in full, or -1 when they are not exactly one version.
inline long CompleteVersion(const VelaEngine::FieldMap& values) {
    const long version = values.Get("version", -1);
    if (version < 0 || values.Fields().size() != 1u + EntryCount(version)) {
        return -1;
    }
    for (int i = 0; i < EntryCount(version); ++i) {
        if (values.Get(("entry" + std::to_string(i)).c_str(), -1) != version * 1000 + i) {
            return -1;
        }
    }
    return version;
}

}  // namespace RecordVersions
