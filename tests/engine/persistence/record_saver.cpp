// Saves the records again and again, each time a whole new version, until it is killed.
// Usage: record_saver <first version> <descriptor to write one byte to once saving starts>.
// The record file is found as the game finds it, from HOME; the log is silenced.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "engine/persistence/DataStore.h"
#include "engine/persistence/Records.h"
#include "tests/engine/persistence/RecordVersions.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        return 2;
    }
    if (std::freopen("/dev/null", "w", stdout) == nullptr) {
        return 4;
    }
    const long first = std::atol(argv[1]);
    const int ready = std::atoi(argv[2]);
    using namespace VelaEngine;
    DataStore::Create();
    DataStore::Get().Init("data");
    Records::Create();
    Records& records = Records::Get();
    records.Init("records", RecordVersions::kTitle);
    if (write(ready, "r", 1) != 1) {
        return 3;
    }
    close(ready);
    for (long version = first;; ++version) {
        RecordVersions::Fill(records, version);
        records.Save();
    }
}
