#include "engine/scene/SceneLoader.h"

#include <algorithm>
#include <fstream>
#include <string_view>
#include <vector>

#include "engine/core/RegularFile.h"
#include "engine/core/VEDebug.h"
#include "engine/entity/Transform.h"
#include "engine/scene/FieldMap.h"
#include "engine/scene/Resources.h"
#include "engine/scene/ValueText.h"

namespace VelaEngine::SceneManagement {

namespace {

constexpr std::string_view kEntityKeyword = "Entity";

// A line is a comment only when "/" is its very first character, before any tab.
bool IsSkipped(std::string_view line) {
    return line.empty() || line[0] == '/';
}

int DepthOf(std::string_view line) {
    const std::size_t tabs = line.find_first_not_of('\t');
    return static_cast<int>(tabs == std::string_view::npos ? line.size() : tabs);
}

// Removes the leading tabs and returns how many there were.
int StripDepth(std::string_view& line) {
    const int depth = DepthOf(line);
    line.remove_prefix(static_cast<std::size_t>(depth));
    return depth;
}

std::string_view FirstPiece(std::string_view line) {
    return line.substr(0, line.find('\t'));
}

// What `line` holds after `key` and one tab; the whole line when it does not start so.
std::string_view ValueAfterKey(std::string_view line, std::string_view key) {
    if (line.size() > key.size() && line.substr(0, key.size()) == key && line[key.size()] == '\t') {
        return line.substr(key.size() + 1);
    }
    return line;
}

// The non-empty pieces between tabs, as views into `line`.
void SplitAtTabs(std::string_view line, std::vector<std::string_view>& pieces) {
    pieces.clear();
    std::size_t pos = 0;
    while (pos < line.size()) {
        if (line[pos] == '\t') {
            ++pos;
            continue;
        }
        const std::size_t end = std::min(line.find('\t', pos), line.size());
        pieces.push_back(line.substr(pos, end - pos));
        pos = end;
    }
}

// The first two pieces that SplitAtTabs would give, without gathering the rest; false when
// there are fewer.
bool FirstTwoPieces(std::string_view line, std::string_view& first, std::string_view& second) {
    const std::size_t firstStart = line.find_first_not_of('\t');
    if (firstStart == std::string_view::npos) {
        return false;
    }
    const std::size_t firstEnd = std::min(line.find('\t', firstStart), line.size());
    const std::size_t secondStart = line.find_first_not_of('\t', firstEnd);
    if (secondStart == std::string_view::npos) {
        return false;
    }
    const std::size_t secondEnd = std::min(line.find('\t', secondStart), line.size());
    first = line.substr(firstStart, firstEnd - firstStart);
    second = line.substr(secondStart, secondEnd - secondStart);
    return true;
}

// The whole file in one read; the loader's lines and pieces are views into it.
std::string ReadWhole(std::ifstream& in) {
    std::string text;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size > 0) {
        text.resize(static_cast<std::size_t>(size));
        in.read(text.data(), size);
        text.resize(static_cast<std::size_t>(in.gcount()));
    }
    return text;
}

class Loader {
public:
    Loader(std::string_view text, const std::string& path, Scene& scene, LoadWatcher* watcher)
        : text_(text), location_(path), scene_(scene), watcher_(watcher) {}

    void Run() {
        while (ReadLine(line_)) {
            if (skipBelow_ >= 0 && !IsSkipped(line_) && DepthOf(line_) > skipBelow_) {
                continue;
            }
            skipBelow_ = -1;
            if (!Guarded([&] { HandleLine(line_); })) {
                // The component above still reads what it has; what the failed line opened
                // would be misread without it.
                if (pending_ != nullptr && !fields_.Empty()) {
                    const int here = lineNumber_;
                    location_.SetLine(pendingLine_);
                    Guarded([&] { Deserialize(*pending_); });
                    location_.SetLine(here);
                }
                skipBelow_ = lineDepth_;
                previousDepth_ = lineDepth_;
                DropPending();
            }
        }
        if (pending_ != nullptr) {
            location_.SetLine(pendingLine_);
            if (!Guarded([&] { Deserialize(*pending_); })) {
                DropPending();
            }
            fields_.Clear();
        }
    }

private:
    // The game runs every step as it is; only a watcher catches failures.
    template <class F>
    bool Guarded(F&& step) {
        if (watcher_ == nullptr) {
            step();
            return true;
        }
        return watcher_->Attempt(step);
    }

    void Deserialize(Component& component) {
        if (watcher_ != nullptr) {
            watcher_->FieldsRead(component, fields_, pendingLine_);
        }
        component.Deserialize(fields_);
    }

    void DropPending() {
        pending_ = nullptr;
        fields_.Clear();
    }

    // Lines end at a line feed, with a carriage return before it belonging to the end; the
    // last line needs none.
    bool ReadLine(std::string_view& line) {
        if (next_ >= text_.size()) {
            return false;
        }
        const std::size_t end = std::min(text_.find('\n', next_), text_.size());
        line = text_.substr(next_, end - next_);
        next_ = end + 1;
        ++lineNumber_;
        location_.SetLine(lineNumber_);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        return true;
    }

    void HandleLine(std::string_view line) {
        if (IsSkipped(line)) {
            return;
        }
        const int depth = StripDepth(line);
        lineDepth_ = depth;
        if (line.empty()) {
            Fail("A scene line holds only tabs: it needs an entity, a component or a field");
        }
        if (pending_ != nullptr && depth != previousDepth_) {
            if (!fields_.Empty() && !Guarded([&] { DeserializePending(); })) {
                location_.SetLine(lineNumber_);
                DropPending();
            }
        }
        if (pending_ != nullptr && depth <= previousDepth_ && fields_.Empty()) {
            pending_ = nullptr;  // a component with no fields reads nothing
        }
        const std::string_view first = FirstPiece(line);
        if (first == kEntityKeyword && pending_ != nullptr) {
            // Its transform lines would take the component's fields, or its own component
            // lines would be read as them.
            Fail(
                "An Entity line sits among the fields of the component above it: indent it no "
                "deeper than that component's line");
        }
        if (first == kEntityKeyword) {
            HandleEntity(line, depth);
        } else if (pending_ != nullptr) {
            fields_.Set(first, ValueAfterKey(line, first));
        } else {
            HandleComponent(first, depth);
        }
        previousDepth_ = depth;
    }

    void DeserializePending() {
        const int here = lineNumber_;
        location_.SetLine(pendingLine_);
        Deserialize(*pending_);
        location_.SetLine(here);
        fields_.Clear();
        pending_ = nullptr;
    }

    void CutStack(int depth) {
        if (static_cast<int>(open_.size()) > depth) {
            open_.resize(depth);
        }
    }

    void HandleComponent(std::string_view typeView, int depth) {
        const std::string type(typeView);
        CutStack(depth);
        if (open_.empty()) {
            Fail("The component line \"" + type +
                 "\" belongs to no entity: indent it below an Entity line");
        }
        Entity& owner = *open_.back();
        Resources& resources = Resources::Get();
        Component* component = resources.CreateEngineComponent(type, owner);
        if (component == nullptr && resources.GetGameFactory() != nullptr) {
            component = resources.GetGameFactory()(type, owner);
        }
        if (component == nullptr) {
            Fail("Component " + type + " not found");
        }
        pending_ = component;
        pendingLine_ = lineNumber_;
    }

    void HandleEntity(std::string_view line, int depth) {
        // The name and tags follow the keyword; a bare "Entity" line is its own name. The
        // pieces are read before the transform lines reuse their storage.
        SplitAtTabs(line, pieces_);
        const std::vector<std::string_view>& all = pieces_;
        const std::size_t first = line.size() > kEntityKeyword.size() ? 1 : 0;
        CutStack(depth);
        if (depth > 0 && open_.empty()) {
            Fail("An indented Entity line has no entity above it to belong to");
        }
        const int headerLine = lineNumber_;
        std::shared_ptr<Entity> entity =
            Entity::Create(std::string(all.size() > first ? all[first] : std::string_view()));
        Entity* raw = entity.get();
        if (depth == 0) {
            scene_.GetRoots().push_back(entity);
            open_.push_back(raw);
        } else {
            entity->GetTransform().SetParent(&open_.back()->GetTransform());
        }
        for (std::size_t i = first + 1; i < all.size(); ++i) {
            raw->GetTags().insert(std::string(all[i]));
        }
        ReadTransformLines();
        open_.push_back(raw);
        if (PlacePlainly(raw->GetTransform())) {
            return;
        }
        for (int i = 0; i < 3; ++i) {
            fields_.Set(transformKeys_[i], transformValues_[i]);
        }
        location_.SetLine(headerLine);
        // A bad transform value spoils only this entity's place, not what it holds.
        Guarded([&] { raw->GetTransform().Deserialize(fields_); });
        fields_.Clear();
    }

    // The three lines after a header are the transform's, whatever they hold.
    void ReadTransformLines() {
        for (int i = 0; i < 3; ++i) {
            if (!ReadLine(line_)) {
                Fail("The scene ends before the three transform lines (t, r, s) of an Entity");
            }
            if (!FirstTwoPieces(line_, transformKeys_[i], transformValues_[i])) {
                Fail("A transform line needs a key, a tab and a value (t, r or s)");
            }
        }
    }

    // Nearly every entity's lines are "t", "r" and "s" with plain numbers: those are read
    // straight into the transform, to the same bits as through its fields. Anything else
    // (other keys, a repeat, a text that is not plain) goes through the fields.
    bool PlacePlainly(Transform& transform) const {
        const std::string_view* value[3] = {};
        for (int i = 0; i < 3; ++i) {
            const std::string_view key = transformKeys_[i];
            const int slot = key == "t" ? 0 : key == "r" ? 1 : key == "s" ? 2 : -1;
            if (slot < 0 || value[slot] != nullptr) {
                return false;
            }
            value[slot] = &transformValues_[i];
        }
        float position[2];
        float rotation = 0.0f;
        float scale[2];
        if (!ReadPlainFloats(*value[0], position, 2) || !ReadPlainFloats(*value[1], &rotation, 1) ||
            !ReadPlainFloats(*value[2], scale, 2)) {
            return false;
        }
        transform.Place(Vector2(position[0], position[1]), rotation, Vector2(scale[0], scale[1]));
        return true;
    }

    std::string_view text_;
    std::size_t next_ = 0;
    ContentLocation location_;
    Scene& scene_;
    LoadWatcher* watcher_;
    int lineNumber_ = 0;
    int lineDepth_ = 0;
    // After a failed line: the lines deeper than it belonged to it and are passed over.
    int skipBelow_ = -1;
    std::vector<Entity*> open_;
    Component* pending_ = nullptr;
    int pendingLine_ = 0;
    int previousDepth_ = 0;
    FieldMap fields_;
    std::string_view line_;
    // Reused for every header line.
    std::vector<std::string_view> pieces_;
    std::string_view transformKeys_[3];
    std::string_view transformValues_[3];
};

}  // namespace

std::shared_ptr<Scene> LoadScene(const std::string& name) {
    return LoadScene(name, nullptr);
}

std::shared_ptr<Scene> LoadScene(const std::string& name, LoadWatcher* watcher) {
    Resources& resources = Resources::Get();
    const std::string path = resources.GetAssetPath() + "/" + name + ".scene";
    Log("Loading Scene: " + path);
    // A folder opens as a stream on Linux but holds no lines: only regular files are scenes.
    std::ifstream in;
    if (IsRegularFile(path)) {
        in.open(path);
    }
    Assert(in.is_open() && in.good(), "Failed to load Scene " + name);

    const std::string text = ReadWhole(in);
    auto scene = std::make_shared<Scene>();
    Loader(text, path, *scene, watcher).Run();
    resources.Store("sc" + name, scene);
    Log("Scene successfully loaded\n");
    return scene;
}

}  // namespace VelaEngine::SceneManagement
