// Record files read through the real Records start-up, then saved and read again. Any bytes
// must load without a failure, and a save must keep every entry exactly as it was read.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/persistence/DataStore.h"
#include "engine/persistence/RecordPaths.h"
#include "engine/persistence/RecordText.h"
#include "engine/persistence/Records.h"
#include "engine/persistence/SafeFile.h"
#include "engine/scene/FieldMap.h"
#include "fuzz/support/FuzzHarness.h"

using namespace VelaEngine;
using FuzzSupport::EndsFatally;
using FuzzSupport::Require;

namespace {

constexpr const char* kTitle = "Fleetwing";

// The services a running game has around its records, with the home in the scratch folder.
void StartServices() {
    setenv("HOME", FuzzSupport::ScratchFolder().c_str(), 1);
    DataStore::Create();
    DataStore::Get().Init("data");
}

FieldMap ReadBack(const std::string& path) {
    std::string text;
    std::string problem;
    Require(ReadFileText(path, 1 << 26, text, problem) == ReadOutcome::Whole,
            "the saved file cannot be read");
    FieldMap values;
    ParseRecordText(text, values);
    return values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool started = (StartServices(), true);
    (void)started;
    const std::string text = FuzzSupport::Text(data, size);

    Records::Release();
    Records::Create();
    const std::string path = RecordFilePath(DataStore::Get().GetPath(), "records", kTitle);
    FuzzSupport::WriteScratch(path.substr(FuzzSupport::ScratchFolder().size() + 1), text);
    Require(!EndsFatally([] { Records::Get().Init("records", kTitle); }), "a record file is fatal");

    FieldMap expected;
    ParseRecordText(text, expected);
    for (const auto& [key, value] : expected.Fields()) {
        Require(Records::Get().GetInt(key, 0) == expected.Get(key.c_str(), 0) &&
                    Records::Get().GetBool(key, true) == expected.Get(key.c_str(), true),
                "a value reads differently through Records");
        (void)Records::Get().GetFloat(key, 0.0f);
    }

    Require(Records::Get().Save(), "saving into a writable folder failed");
    Require(ReadBack(path).Fields() == expected.Fields(), "a save changed the entries");
    return 0;
}
