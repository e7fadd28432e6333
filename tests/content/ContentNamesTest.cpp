#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "support/VelaRunProcess.h"

// Every sprite, sound and scene that the game's code or any scene file names must exist under
// assets/, or the game stops with a missing-file error the first time a player gets there.

namespace {

namespace fs = std::filesystem;

const fs::path kRoot = FLEETWING_SOURCE_DIR;
const fs::path kAssets = kRoot / "assets";

std::string ReadAll(const fs::path& path) {
    return TestSupport::ReadText(path.string());
}

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
    const fs::path folder = probe.parent_path();
    const std::string stem = fs::path(prefix).filename().string();
    if (!fs::is_directory(folder)) {
        return false;
    }
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().starts_with(stem) &&
            entry.path().extension() == probe.extension()) {
            return true;
        }
    }
    return false;
}

// Source text without comments, so that names in explanations are not taken for requests.
std::string WithoutComments(const std::string& code) {
    static const std::regex kComments(R"(//[^\n]*|/\*[\s\S]*?\*/)");
    return std::regex_replace(code, kComments, " ");
}

struct CodeNames {
    std::set<std::string> whole;     // used as they stand
    std::set<std::string> prefixes;  // followed by "+": the code appends a number or a name
};

CodeNames NamesInCode() {
    static const std::regex kLiteral(R"lit("((?:sprites|sounds|scenes)/[^"\s]*)"(\s*\+)?)lit");
    CodeNames names;
    for (const char* folder : {"game", "engine"}) {
        for (const auto& entry : fs::recursive_directory_iterator(kRoot / folder)) {
            const std::string ext = entry.path().extension().string();
            if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) {
                continue;
            }
            const std::string code = WithoutComments(ReadAll(entry.path()));
            for (std::sregex_iterator it(code.begin(), code.end(), kLiteral), end; it != end;
                 ++it) {
                ((*it)[2].matched ? names.prefixes : names.whole).insert((*it)[1].str());
            }
        }
    }
    return names;
}

std::vector<fs::path> SceneFiles() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(kAssets / "scenes")) {
        if (entry.is_regular_file() && entry.path().extension() == ".scene") {
            files.push_back(entry.path());
        }
    }
    return files;
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (start <= line.size()) {
        const std::size_t tab = line.find('\t', start);
        const std::size_t end = tab == std::string::npos ? line.size() : tab;
        if (end > start) {
            pieces.push_back(line.substr(start, end - start));
        }
        if (tab == std::string::npos) {
            break;
        }
        start = tab + 1;
    }
    return pieces;
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
        for (std::string piece : SplitTabs(line)) {
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

// The value of the first field with this key in the scene, or empty.
std::string FieldValue(const fs::path& file, const std::string& key) {
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        const std::vector<std::string> pieces = SplitTabs(line);
        if (pieces.size() >= 2 && pieces[0] == key) {
            return pieces[1];
        }
    }
    return "";
}

}  // namespace

TEST(ContentNames, EveryNameInTheCodeHasItsFile) {
    const CodeNames names = NamesInCode();
    // The first scene, the menu click and the plane skins at least are named in code.
    EXPECT_TRUE(names.whole.count("scenes/splash"));
    EXPECT_FALSE(names.whole.empty());
    for (const std::string& name : names.whole) {
        EXPECT_TRUE(fs::is_regular_file(FileOf(name))) << name << " has no file " << FileOf(name);
    }
    for (const std::string& prefix : names.prefixes) {
        EXPECT_TRUE(AnyFileStartsWith(prefix)) << "no file completes " << prefix;
    }
}

TEST(ContentNames, EveryNameInEverySceneHasItsFile) {
    const std::vector<fs::path> scenes = SceneFiles();
    ASSERT_GE(scenes.size(), 15u);
    std::set<std::string> linked;
    for (const fs::path& scene : scenes) {
        for (const auto& [name, line] : NamesInScene(scene)) {
            EXPECT_TRUE(fs::is_regular_file(FileOf(name)))
                << scene.filename().string() << ":" << line << " names " << name
                << ", which has no file";
            if (name.starts_with("scenes/")) {
                linked.insert(name);
            }
        }
    }
    // The menus and levels link to one another; every level is reachable from some scene.
    for (int level = 1; level <= 8; ++level) {
        EXPECT_TRUE(linked.count("scenes/level" + std::to_string(level))) << level;
    }
}

TEST(ContentNames, EverySkinTheSelectorOffersHasAPicture) {
    const fs::path skins = kAssets / "scenes" / "skins.scene";
    const int first = std::atoi(FieldValue(skins, "firstSkin").c_str());
    const int last = std::atoi(FieldValue(skins, "lastSkin").c_str());
    ASSERT_EQ(first, 1);
    ASSERT_EQ(last, 4);
    for (int skin = first; skin <= last; ++skin) {
        const std::string name = "sprites/gameplay/entities/ball" + std::to_string(skin);
        EXPECT_TRUE(fs::is_regular_file(FileOf(name))) << name;
    }
}
