#include "tools/vela-run/SceneCheck.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <stdexcept>
#include <streambuf>

#include "engine/core/RegularFile.h"
#include "engine/entity/Component.h"
#include "engine/entity/EntityPath.h"
#include "engine/entity/SceneRoots.h"
#include "engine/entity/VelaBehavior.h"
#include "engine/graphics/Sprite.h"
#include "engine/scene/FieldMap.h"
#include "engine/scene/Resources.h"
#include "engine/scene/SceneLoader.h"
#include "game/GameStart.h"
#include "platform/EBFatal.h"
#include "platform/EBInput.h"
#include "tools/vela-run/Runner.h"

namespace VelaRun {

namespace {

namespace fs = std::filesystem;
using VelaEngine::SceneManagement::LoadWatcher;

struct ContentFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void ThrowFailure(EBFatalKind, const std::string& message) {
    throw ContentFailure(message);
}

// The engine prints each fatal message itself and logs every load; the checker reports the
// problems in its own form, so both streams are quiet while a scene is read.
class QuietStreams {
public:
    QuietStreams() : out_(std::cout.rdbuf(&null_)), err_(std::cerr.rdbuf(&null_)) {}
    ~QuietStreams() {
        std::cout.rdbuf(out_);
        std::cerr.rdbuf(err_);
    }
    QuietStreams(const QuietStreams&) = delete;
    QuietStreams& operator=(const QuietStreams&) = delete;

private:
    struct NullBuffer : std::streambuf {
        int overflow(int c) override { return c; }
    };
    NullBuffer null_;
    std::streambuf* out_;
    std::streambuf* err_;
};

// A fatal message is "Assertion[ failed] in VEDebug.cpp line N: TEXT", then, while a content
// file is read, "in FILE, line N" on a line of its own.
SceneProblem ProblemOf(const std::string& message, const std::string& sceneFile) {
    SceneProblem problem{sceneFile, 0, message};
    const std::size_t where = message.rfind("\nin ");
    const std::size_t comma = message.rfind(", line ");
    if (where != std::string::npos && comma != std::string::npos && comma > where) {
        problem.file = message.substr(where + 4, comma - where - 4);
        problem.line = std::atoi(message.c_str() + comma + 7);
        problem.message = message.substr(0, where);
    }
    const std::size_t colon = problem.message.find(": ");
    if (problem.message.rfind("Assertion", 0) == 0 && colon != std::string::npos) {
        problem.message.erase(0, colon + 2);
    }
    return problem;
}

// What a field's text names in the asset folder, by the folder it starts with.
struct AssetKind {
    const char* prefix;
    const char* extension;
    const char* what;
};
constexpr AssetKind kLinkedKinds[] = {
    {"scenes/", ".scene", "scene"},
    {"sounds/", ".mp3", "sound"},
    {"sprites/", ".png", "sprite"},
};

class Checker : public LoadWatcher {
public:
    Checker(std::string assets, std::vector<SceneProblem>& problems)
        : assets_(std::move(assets)), problems_(problems) {}

    void Check(const std::string& scene) {
        file_ = assets_ + "/" + scene + ".scene";
        const std::size_t first = problems_.size();
        behaviours_.clear();
        Attempt([&] {
            auto loaded = VelaEngine::SceneManagement::LoadScene(scene, this);
            ResolvePaths(*loaded);
            behaviours_.clear();
            loaded.reset();
        });
        // A component's fields are read when its block ends, after later lines were seen.
        std::stable_sort(
            problems_.begin() + static_cast<std::ptrdiff_t>(first), problems_.end(),
            [](const SceneProblem& a, const SceneProblem& b) { return a.line < b.line; });
        VelaEngine::Resources::Get().UnloadUnused();
    }

    bool Attempt(const std::function<void()>& step) override {
        try {
            step();
            return true;
        } catch (const ContentFailure& failure) {
            Note(ProblemOf(failure.what(), file_));
            return false;
        }
    }

    // Scenes, sounds and sprites named in any field must exist: a scene link or a sound is
    // only opened when a player gets there, and a behaviour may keep a sprite for later.
    void FieldsRead(VelaEngine::Component& component, const VelaEngine::FieldMap& fields,
                    int line) override {
        if (auto* behaviour = dynamic_cast<VelaEngine::VelaBehavior*>(&component)) {
            behaviours_.emplace_back(behaviour, line);
        }
        // In name order, so reports do not change from run to run.
        std::map<std::string, std::string> sorted(fields.Fields().begin(), fields.Fields().end());
        for (const auto& [key, value] : sorted) {
            std::size_t start = 0;
            while (start <= value.size()) {
                const std::size_t end = std::min(value.find('\t', start), value.size());
                CheckName(key, value.substr(start, end - start), line);
                start = end + 1;
            }
        }
    }

private:
    // Entity paths resolve as they would before the first Awake, against this scene.
    void ResolvePaths(VelaEngine::SceneManagement::Scene& scene) {
        const VelaEngine::EntityList* before = VelaEngine::GetSceneRoots();
        VelaEngine::SetSceneRoots(&scene.GetRoots());
        VelaEngine::SetUnresolvedPathReporter(&NoteUnresolved);
        for (const auto& [behaviour, line] : behaviours_) {
            g_unresolved.clear();
            behaviour->GetBeforeAwakeListeners().Fire();
            for (const std::string& path : g_unresolved) {
                Note({file_, line, "the entity path " + path + " names no entity of the scene"});
            }
        }
        VelaEngine::SetUnresolvedPathReporter(nullptr);
        VelaEngine::SetSceneRoots(before);
    }
    static void NoteUnresolved(const std::string& path) { g_unresolved.push_back(path); }
    static inline std::vector<std::string> g_unresolved;

    void CheckName(const std::string& key, const std::string& name, int line) {
        for (const AssetKind& kind : kLinkedKinds) {
            if (name.rfind(kind.prefix, 0) != 0) {
                continue;
            }
            const std::string path = assets_ + "/" + name + kind.extension;
            if (!VelaEngine::IsRegularFile(path)) {
                Note({file_, line,
                      std::string("field ") + key + " names the " + kind.what + " " + name +
                          ", but there is no file " + path});
            }
        }
    }

    // A sprite that a component fails to load was already reported by its field.
    void Note(SceneProblem problem) {
        for (const SceneProblem& known : problems_) {
            const std::size_t mark = known.message.rfind(" no file ");
            if (known.file == problem.file && known.line == problem.line &&
                mark != std::string::npos &&
                problem.message.find(known.message.substr(mark + 9)) != std::string::npos) {
                return;
            }
        }
        problems_.push_back(std::move(problem));
    }

    std::string assets_;
    std::string file_;
    std::vector<std::pair<VelaEngine::VelaBehavior*, int>> behaviours_;
    std::vector<SceneProblem>& problems_;
};

void NoInput(EBInputSnapshot& snapshot) {
    snapshot = EBInputSnapshot{};
}

// The engine loads a first scene as it starts; an empty one of our own keeps a broken scene
// under check from stopping the start-up. Scene names are paths from the asset folder.
struct EmptyFirstScene {
    EmptyFirstScene(const std::string& assets) {
        folder = fs::temp_directory_path() / ("vela-check-" + std::to_string(getpid()));
        fs::create_directories(folder);
        std::ofstream(folder / "empty.scene") << "/ nothing\n";
        name = fs::relative(folder / "empty", fs::absolute(assets)).string();
    }
    ~EmptyFirstScene() {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    fs::path folder;
    std::string name;
};

}  // namespace

std::string Describe(const SceneProblem& problem) {
    if (problem.line <= 0) {
        return problem.file + ": " + problem.message;
    }
    return problem.file + ":" + std::to_string(problem.line) + ": " + problem.message;
}

std::vector<std::string> ScenesUnder(const std::string& assets) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::recursive_directory_iterator it(assets, error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file() && it->path().extension() == ".scene") {
            fs::path name = it->path().lexically_relative(assets);
            names.push_back(name.replace_extension().generic_string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A check draws nothing, so sprites decode as they are read, or a picture that does not
// decode would go unseen.
class DecodeSpritesAtOnce {
public:
    DecodeSpritesAtOnce() { VelaEngine::Graphics::Sprite::SetDecodeOnFirstDraw(false); }
    ~DecodeSpritesAtOnce() { VelaEngine::Graphics::Sprite::SetDecodeOnFirstDraw(true); }
    DecodeSpritesAtOnce(const DecodeSpritesAtOnce&) = delete;
    DecodeSpritesAtOnce& operator=(const DecodeSpritesAtOnce&) = delete;
};

std::vector<SceneProblem> CheckScenes(const RunOptions& options) {
    const DecodeSpritesAtOnce decode;
    std::vector<SceneProblem> problems;
    const std::vector<std::string> scenes =
        options.checkScenes.empty() ? ScenesUnder(options.assets) : options.checkScenes;
    EmptyFirstScene first(options.assets);
    Game::StartOptions start;
    start.assets = options.assets;
    start.firstScene = first.name;
    {
        QuietStreams quiet;
        StartRunnerGame(options, start, NoInput);
        const EBFatalHandler previous = EBSetFatalHandler(&ThrowFailure);
        Checker checker(options.assets, problems);
        for (const std::string& scene : scenes) {
            checker.Check(scene);
        }
        EBSetFatalHandler(previous);
        Game::EndGame();
    }
    return problems;
}

std::vector<SceneProblem> CheckRunningScene(const std::string& assets, const std::string& scene) {
    std::vector<SceneProblem> problems;
    const DecodeSpritesAtOnce decode;
    QuietStreams quiet;
    const EBFatalHandler previous = EBSetFatalHandler(&ThrowFailure);
    Checker(assets, problems).Check(scene);
    EBSetFatalHandler(previous);
    return problems;
}

int RunCheck(const RunOptions& options) {
    const std::size_t count = options.checkScenes.empty() ? ScenesUnder(options.assets).size()
                                                          : options.checkScenes.size();
    if (count == 0) {
        std::cerr << "vela-run: no scene to check under " << options.assets << "\n";
        return 2;
    }
    const std::vector<SceneProblem> problems = CheckScenes(options);
    for (const SceneProblem& problem : problems) {
        std::cout << Describe(problem) << "\n";
    }
    std::cout << "vela-run: checked " << count << (count == 1 ? " scene, " : " scenes, ")
              << problems.size() << (problems.size() == 1 ? " problem" : " problems") << "\n";
    return problems.empty() ? 0 : 1;
}

}  // namespace VelaRun
