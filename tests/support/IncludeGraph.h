#pragma once
// The project's own include graph, read from its sources, for the tests that keep the engine's
// layers apart. Includes are followed when they name a file below the root, as the project
// writes them ("engine/scene/FieldMap.h"); system and library headers end the walk.
#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace TestSupport {

// The paths a source text includes, as written, in either form. An include behind a line
// comment is not one.
inline std::vector<std::string> IncludedPaths(const std::string& text) {
    static const std::regex include(R"(^\s*#\s*include\s*["<]([^">]+)[">])");
    std::vector<std::string> paths;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::smatch match;
        if (std::regex_search(line, match, include)) {
            paths.push_back(match[1]);
        }
    }
    return paths;
}

// Every file below `root` that `file` (a path relative to it) reaches through includes, each
// mapped to the file that includes it on a shortest way from `file`.
inline std::map<std::string, std::string> ReachedIncludes(const std::filesystem::path& root,
                                                          const std::string& file) {
    std::map<std::string, std::string> includer;
    std::deque<std::string> toRead{file};
    while (!toRead.empty()) {
        const std::string current = toRead.front();
        toRead.pop_front();
        std::ifstream in(root / current, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        for (const std::string& path : IncludedPaths(text.str())) {
            if (path == file || includer.count(path) != 0 ||
                !std::filesystem::is_regular_file(root / path)) {
                continue;
            }
            includer[path] = current;
            toRead.push_back(path);
        }
    }
    return includer;
}

// "a.cpp includes c.h through b.h" for the way ReachedIncludes found from `file` to `header`.
inline std::string IncludeWay(const std::map<std::string, std::string>& includer,
                              const std::string& file, const std::string& header) {
    std::vector<std::string> between;
    for (std::string at = includer.at(header); at != file; at = includer.at(at)) {
        between.push_back(at);
    }
    std::string way = file + " includes " + header;
    for (auto it = between.rbegin(); it != between.rend(); ++it) {
        way += (it == between.rbegin() ? " through " : ", ") + *it;
    }
    return way;
}

// The C++ files of the folders (relative to `root`, searched below them too), sorted.
inline std::vector<std::string> SourcesIn(const std::filesystem::path& root,
                                          const std::vector<std::string>& folders) {
    std::vector<std::string> files;
    for (const std::string& folder : folders) {
        if (!std::filesystem::is_directory(root / folder)) {
            continue;
        }
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root / folder)) {
            const std::string extension = entry.path().extension().string();
            if (entry.is_regular_file() && (extension == ".h" || extension == ".cpp")) {
                files.push_back(std::filesystem::relative(entry.path(), root).string());
            }
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// One line for each file of `files` that reaches one of the `forbidden` headers, with the way.
inline std::vector<std::string> ForbiddenIncludes(const std::filesystem::path& root,
                                                  const std::vector<std::string>& files,
                                                  const std::vector<std::string>& forbidden) {
    std::vector<std::string> breaches;
    for (const std::string& file : files) {
        const std::map<std::string, std::string> includer = ReachedIncludes(root, file);
        for (const std::string& header : forbidden) {
            if (includer.count(header) != 0) {
                breaches.push_back(IncludeWay(includer, file, header));
            }
        }
    }
    return breaches;
}

}  // namespace TestSupport
