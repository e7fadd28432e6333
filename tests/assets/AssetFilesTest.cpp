#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/EBImageFile.h"
#include "support/VelaRunProcess.h"

// The generated assets are committed so the game runs without regenerating them: every file
// is what its extension says and has its row, with its size, in ASSETS.md. Names the code asks
// for, and the skins, are checked with the content.

namespace {

namespace fs = std::filesystem;

const fs::path kAssets = fs::path(FLEETWING_SOURCE_DIR) / "assets";

// An MP3 starts with an ID3 tag or an MPEG audio frame sync (eleven set bits).
bool LooksLikeMp3(const std::string& bytes) {
    return bytes.size() >= 4 && (bytes.compare(0, 3, "ID3") == 0 ||
                                 (static_cast<unsigned char>(bytes[0]) == 0xFF &&
                                  (static_cast<unsigned char>(bytes[1]) & 0xE0) == 0xE0));
}

}  // namespace

TEST(AssetFiles, TheTableListsEveryFileWithItsSize) {
    const std::string table = TestSupport::ReadText((kAssets / "ASSETS.md").string());
    ASSERT_FALSE(table.empty());
    int files = 0;
    for (const char* folder : {"sprites", "sounds"}) {
        for (const auto& entry : fs::recursive_directory_iterator(kAssets / folder)) {
            if (!entry.is_regular_file()) {
                continue;
            }
            ++files;
            const std::string name = fs::relative(entry.path(), kAssets).generic_string();
            std::string row = "| `" + name + "` | ";
            if (name.ends_with(".png")) {
                std::vector<unsigned char> pixels;
                int width = 0;
                int height = 0;
                EXPECT_TRUE(EBImageLoadPNG(entry.path().c_str(), pixels, width, height)) << name;
                row += std::to_string(width) + " x " + std::to_string(height);
            } else {
                EXPECT_TRUE(name.ends_with(".mp3")) << "unexpected file " << name;
                EXPECT_TRUE(LooksLikeMp3(TestSupport::ReadText(entry.path().string()))) << name;
            }
            EXPECT_NE(table.find(row), std::string::npos) << "no table row for " << name;
        }
    }
    EXPECT_GT(files, 0);
}
