#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/IncludeGraph.h"
#include "support/TempFolder.h"

using TestSupport::ForbiddenIncludes;
using TestSupport::SourcesIn;

namespace {

// Below scene loading: the entity model and the subsystems, which value types and core
// services serve. Components get their sprites and sounds through the asset cache, and the
// records their title from whoever starts them.
const std::vector<std::string> kLowerLayers = {
    "engine/entity", "engine/physics",   "engine/graphics",    "engine/audio",
    "engine/input",  "engine/animation", "engine/persistence",
};
// Loading and switching scenes, and the front end that starts everything.
const std::vector<std::string> kUpperLayers = {
    "engine/scene/Resources.h",
    "engine/scene/SceneLoader.h",
    "engine/scene/SceneManager.h",
    "engine/core/FrontEnd.h",
};

}  // namespace

TEST(EngineLayers, TheEntityModelAndTheSubsystemsReachNeitherSceneLoadingNorTheFrontEnd) {
    const std::string root = FLEETWING_SOURCE_DIR;
    for (const std::string& folder : kLowerLayers) {
        EXPECT_FALSE(SourcesIn(root, {folder}).empty())
            << folder << " holds no sources, so nothing of it would be checked";
    }
    EXPECT_EQ(ForbiddenIncludes(root, SourcesIn(root, kLowerLayers), kUpperLayers),
              std::vector<std::string>{});
}

// A made tree: an include through headers counts as one written in the file, in either form
// and with blanks after the '#'; one behind a comment does not, and a cycle ends.
TEST(EngineLayers, TheCheckNamesEveryFileThatReachesAForbiddenHeaderAndTheWayItDoes) {
    TestSupport::TempFolder tree;
    tree.Write("engine/scene/Resources.h", "#pragma once\n#include <memory>\n");
    tree.Write("engine/scene/AssetCache.h", "#pragma once\n#include <string>\n");
    tree.Write("engine/scene/Scene.h", "#pragma once\n#include \"engine/scene/Resources.h\"\n");
    tree.Write("engine/graphics/Direct.cpp", "#include \"engine/scene/Resources.h\"\n");
    tree.Write("engine/graphics/Camera.h", "#pragma once\n#  include <engine/scene/Scene.h>\n");
    tree.Write("engine/graphics/Camera.cpp", "#include \"engine/graphics/Camera.h\"\n");
    tree.Write("engine/graphics/Loop.h", "#include \"engine/graphics/Loop2.h\"\n");
    tree.Write("engine/graphics/Loop2.h", "#include \"engine/graphics/Loop.h\"\n");
    tree.Write("engine/audio/Narrow.cpp",
               "#include \"engine/scene/AssetCache.h\"\n"
               "// #include \"engine/scene/Resources.h\"\n"
               "#include \"engine/graphics/Loop.h\"\n");

    const std::vector<std::string> files =
        SourcesIn(tree.Path(), {"engine/graphics", "engine/audio"});
    EXPECT_EQ(files.size(), 6u);
    EXPECT_EQ(ForbiddenIncludes(tree.Path(), files, {"engine/scene/Resources.h"}),
              (std::vector<std::string>{
                  "engine/graphics/Camera.cpp includes engine/scene/Resources.h through "
                  "engine/graphics/Camera.h, engine/scene/Scene.h",
                  "engine/graphics/Camera.h includes engine/scene/Resources.h through "
                  "engine/scene/Scene.h",
                  "engine/graphics/Direct.cpp includes engine/scene/Resources.h",
              }));
}
