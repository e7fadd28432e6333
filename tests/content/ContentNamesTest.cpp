#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "engine/scene/ValueText.h"
#include "platform/EBImageFile.h"
#include "support/VelaRunProcess.h"

// Every sprite, sound and scene that the game's code or any scene file names must exist under
// assets/, or the game stops with a missing-file error the first time a player gets there.

namespace {

namespace fs = std::filesystem;

const fs::path kRoot = FLEETWING_SOURCE_DIR;
const fs::path kAssets = kRoot / "assets";

// The file a resource name stands for: the kind is the first folder of the name.
fs::path FileOf(const std::string& name) {
    if (name.starts_with("sprites/")) {
        return kAssets / (name + ".png");
    }
    if (name.starts_with("sounds/")) {
        return kAssets / (name + ".mp3");
    }
    return kAssets / (name + ".scene");
}

bool AnyFileStartsWith(const std::string& prefix) {
    const fs::path probe = FileOf(prefix);
    const std::string stem = fs::path(prefix).filename().string();
    return fs::is_directory(probe.parent_path()) &&
           std::any_of(fs::directory_iterator(probe.parent_path()), fs::directory_iterator(),
                       [&](const fs::directory_entry& entry) {
                           return entry.path().filename().string().starts_with(stem) &&
                                  entry.path().extension() == probe.extension();
                       });
}

// Resource names in a scene: field values that name a sprite, sound or scene, and the
// sprites that animation clips switch to ("sprite:" instructions).
std::map<std::string, int> NamesInScene(const fs::path& file) {
    std::map<std::string, int> names;  // name -> first line
    std::ifstream in(file);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.empty() || line[0] == '/') {
            continue;
        }
        for (std::string piece : VelaEngine::SplitText(line, "\t")) {
            if (piece.starts_with("sprite:")) {
                piece = piece.substr(7);
            }
            if (piece.starts_with("sprites/") || piece.starts_with("sounds/") ||
                piece.starts_with("scenes/")) {
                names.emplace(piece, number);
            }
        }
    }
    return names;
}

}  // namespace

TEST(ContentNames, EveryNameInTheCodeHasItsFile) {
    // A name followed by "+" is a prefix: the code appends a number or a name.
    static const std::regex kLiteral(R"lit("((?:sprites|sounds|scenes)/[^"\s]*)"(\s*\+)?)lit");
    // Comments go first, so that names in explanations are not taken for requests.
    static const std::regex kComments(R"(//[^\n]*|/\*[\s\S]*?\*/)");
    std::set<std::string> whole;
    std::set<std::string> prefixes;
    for (const char* folder : {"game", "engine"}) {
        for (const auto& entry : fs::recursive_directory_iterator(kRoot / folder)) {
            const std::string ext = entry.path().extension().string();
            if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) {
                continue;
            }
            const std::string code =
                std::regex_replace(TestSupport::ReadText(entry.path()), kComments, " ");
            for (std::sregex_iterator it(code.begin(), code.end(), kLiteral), end; it != end;
                 ++it) {
                ((*it)[2].matched ? prefixes : whole).insert((*it)[1].str());
            }
        }
    }
    // The first scene at least is named in code.
    EXPECT_TRUE(whole.count("scenes/splash"));
    for (const std::string& name : whole) {
        EXPECT_TRUE(fs::is_regular_file(FileOf(name))) << name << " has no file " << FileOf(name);
    }
    for (const std::string& prefix : prefixes) {
        EXPECT_TRUE(AnyFileStartsWith(prefix)) << "no file completes " << prefix;
    }
}

TEST(ContentNames, EveryNameInEverySceneHasItsFile) {
    std::set<std::string> linked;
    for (const auto& entry : fs::recursive_directory_iterator(kAssets / "scenes")) {
        const fs::path& scene = entry.path();
        if (scene.extension() != ".scene") {
            continue;
        }
        for (const auto& [name, line] : NamesInScene(scene)) {
            EXPECT_TRUE(fs::is_regular_file(FileOf(name)))
                << scene.filename().string() << ":" << line << " names " << name
                << ", which has no file";
            if (name.starts_with("scenes/")) {
                linked.insert(name);
            }
        }
    }
    // Every level is reachable from some scene (which also shows the scenes were found).
    for (int level = 1; level <= 8; ++level) {
        EXPECT_TRUE(linked.count("scenes/level" + std::to_string(level))) << level;
    }
}

// The plane keeps one image size whatever the skin, so every skin must fit it, and each differs.
TEST(ContentNames, EverySkinTheSelectorOffersHasAPictureOfTheSameSize) {
    const std::string skins = TestSupport::ReadText((kAssets / "scenes" / "skins.scene").string());
    ASSERT_NE(skins.find("\tfirstSkin\t1\n"), std::string::npos);
    ASSERT_NE(skins.find("\tlastSkin\t4\n"), std::string::npos);
    std::set<std::pair<int, int>> sizes;
    std::set<std::vector<unsigned char>> pictures;
    for (int skin = 1; skin <= 4; ++skin) {
        const std::string file = FileOf("sprites/gameplay/entities/ball" + std::to_string(skin));
        std::vector<unsigned char> pixels;
        int width = 0;
        int height = 0;
        ASSERT_TRUE(EBImageLoadPNG(file.c_str(), pixels, width, height)) << file;
        sizes.insert({width, height});
        pictures.insert(pixels);
    }
    EXPECT_EQ(sizes.size(), 1u);
    EXPECT_EQ(pictures.size(), 4u);
}
