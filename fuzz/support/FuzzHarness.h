#pragma once
// What every harness shares: content errors become exceptions the entry point catches (an
// accepted outcome), a broken promise of the engine aborts (a finding), and a private scratch
// folder holds the files that the real loaders read.
#include <sanitizer/common_interface_defs.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/FatalCatcher.h"

namespace FuzzSupport {

// Runs `body`; true when it ended through the failure handler with a content error.
template <class F>
bool EndsFatally(F&& body) {
    static TestSupport::FatalCatcher catcher;  // installed once, for the whole process
    try {
        body();
    } catch (const TestSupport::FatalError&) {
        return true;
    }
    return false;
}

// A property the engine promises but did not keep: report it as a crash with the input.
inline void Require(bool condition, const char* what) {
    if (!condition) {
        const std::string line = std::string("fuzz check failed: ") + what;
        // The sanitizers' own output survives the fuzzer closing standard error.
        __sanitizer_report_error_summary(line.c_str());
        std::abort();
    }
}

inline std::string Text(const unsigned char* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// A folder of this process under /dev/shm (memory, so the many writes cost no disk), removed
// when the process ends normally.
inline const std::string& ScratchFolder() {
    static const std::string folder = [] {
        const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string pattern = std::string(base) + "/fleetwing-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        return pattern;
    }();
    static const bool registered = [] {
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(folder, ignored);
        });
        return true;
    }();
    (void)registered;
    return folder;
}

// Writes `text` to `relative` below the scratch folder, creating folders on the way.
inline std::string WriteScratch(const std::string& relative, const std::string& text) {
    const std::filesystem::path file = std::filesystem::path(ScratchFolder()) / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
    return file.string();
}

}  // namespace FuzzSupport
