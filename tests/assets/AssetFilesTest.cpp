#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "support/VelaRunProcess.h"

// The generated assets are committed so the game runs without regenerating them; these tests
// catch a file that is not what its extension says and a table in ASSETS.md that no longer
// matches the files. Names the code asks for are checked against the files with the content.

namespace {

namespace fs = std::filesystem;

const fs::path kAssets = fs::path(FLEETWING_SOURCE_DIR) / "assets";

std::string ReadAll(const fs::path& path) {
    return TestSupport::ReadText(path.string());
}

struct PngSize {
    uint32_t width = 0;
    uint32_t height = 0;
};

uint32_t BigEndian32(const std::string& bytes, size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) {
        v = (v << 8) | static_cast<uint8_t>(bytes[at + i]);
    }
    return v;
}

// Width and height from the header chunk, or zeros when the bytes are not a PNG.
PngSize ReadPngSize(const std::string& bytes) {
    static const std::string kSignature("\x89PNG\r\n\x1a\n", 8);
    if (bytes.size() < 24 || bytes.compare(0, 8, kSignature) != 0 ||
        bytes.compare(12, 4, "IHDR") != 0) {
        return {};
    }
    return {BigEndian32(bytes, 16), BigEndian32(bytes, 20)};
}

// An MP3 starts with an ID3 tag or an MPEG audio frame sync (eleven set bits).
bool LooksLikeMp3(const std::string& bytes) {
    if (bytes.size() < 4) {
        return false;
    }
    if (bytes.compare(0, 3, "ID3") == 0) {
        return true;
    }
    return static_cast<uint8_t>(bytes[0]) == 0xFF &&
           (static_cast<uint8_t>(bytes[1]) & 0xE0) == 0xE0;
}

std::vector<std::string> GeneratedFiles() {
    std::vector<std::string> names;
    for (const char* folder : {"sprites", "sounds"}) {
        for (const auto& entry : fs::recursive_directory_iterator(kAssets / folder)) {
            if (entry.is_regular_file()) {
                names.push_back(fs::relative(entry.path(), kAssets).generic_string());
            }
        }
    }
    return names;
}

}  // namespace

TEST(AssetFiles, TheFourSkinsShareOneSizeAndDiffer) {
    // The plane keeps one image size whatever the skin, so all four must fit it.
    std::set<std::string> contents;
    const std::string first = ReadAll(kAssets / "sprites/gameplay/entities/ball1.png");
    for (int skin = 1; skin <= 4; ++skin) {
        const auto bytes =
            ReadAll(kAssets / ("sprites/gameplay/entities/ball" + std::to_string(skin) + ".png"));
        EXPECT_EQ(ReadPngSize(bytes).width, ReadPngSize(first).width) << skin;
        EXPECT_EQ(ReadPngSize(bytes).height, ReadPngSize(first).height) << skin;
        contents.insert(bytes);
    }
    EXPECT_EQ(contents.size(), 4u);
}

TEST(AssetFiles, TheTableListsEveryFileWithItsSize) {
    const std::string table = ReadAll(kAssets / "ASSETS.md");
    ASSERT_FALSE(table.empty());
    const auto files = GeneratedFiles();
    ASSERT_FALSE(files.empty());
    for (const auto& name : files) {
        std::string row = "| `" + name + "` | ";
        const std::string bytes = ReadAll(kAssets / name);
        if (name.ends_with(".png")) {
            const PngSize size = ReadPngSize(bytes);
            EXPECT_GT(size.width, 0u) << name;
            row += std::to_string(size.width) + " x " + std::to_string(size.height);
        } else {
            EXPECT_TRUE(name.ends_with(".mp3")) << "unexpected file " << name;
            EXPECT_TRUE(LooksLikeMp3(bytes)) << name;
        }
        EXPECT_NE(table.find(row), std::string::npos) << "no table row for " << name;
    }
}
