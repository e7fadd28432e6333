#pragma once
// A fresh folder under /tmp for one test, removed with everything in it afterwards.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace TestSupport {

class TempFolder {
public:
    TempFolder() {
        char pattern[] = "/tmp/fleetwing-test-XXXXXX";
        if (mkdtemp(pattern) != nullptr) {
            path_ = pattern;
        }
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // The path of a file below the folder (nothing is created).
    std::string File(const std::string& name) const { return path_ + "/" + name; }

    // Writes `text` to a file below the folder, creating the folders on the way.
    std::string Write(const std::string& relative, const std::string& text) const {
        const std::filesystem::path file = std::filesystem::path(path_) / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
        return file.string();
    }

private:
    std::string path_;
};

}  // namespace TestSupport
