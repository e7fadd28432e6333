#include "engine/persistence/Records.h"

#include "engine/core/VEDebug.h"
#include "engine/persistence/DataStore.h"
#include "engine/persistence/RecordPaths.h"
#include "engine/persistence/RecordText.h"
#include "engine/persistence/SafeFile.h"
#include "engine/scene/ValueText.h"

namespace VelaEngine {

namespace {
// A record file is a few hundred bytes; anything past this is damage, not progress.
constexpr std::size_t kMaxRecordFileBytes = 16u * 1024u * 1024u;
}  // namespace

void Records::Init(const std::string& folderName, const std::string& title) {
    folderName_ = folderName;
    title_ = title;
    const std::string path = GetFilePath();
    std::string text;
    std::string problem;
    unreadProblem_.clear();
    if (ReadFileText(path, kMaxRecordFileBytes, text, problem) == ReadOutcome::Incomplete) {
        // Writing what little was read would destroy the rest of the player's progress.
        unreadProblem_ = problem;
        Log("Record file not read whole, this run will not save over it: " + path + " (" + problem +
            ")");
    }
    ParseRecordText(std::move(text), values_);
}

int Records::GetInt(const std::string& key, int def) const {
    return values_.Get(key.c_str(), def);
}

float Records::GetFloat(const std::string& key, float def) const {
    return values_.Get(key.c_str(), def);
}

bool Records::GetBool(const std::string& key, bool def) const {
    return values_.Get(key.c_str(), def);
}

bool Records::GetText(const std::string& key, std::string& out) const {
    return values_.TryGet(key.c_str(), out);
}

void Records::SetInt(const std::string& key, int value) {
    Put(key, std::to_string(value));
}

void Records::SetFloat(const std::string& key, float value) {
    Put(key, FormatFloat(value));
}

void Records::SetBool(const std::string& key, bool value) {
    Put(key, value ? "t" : "f");
}

void Records::Remove(const std::string& key) {
    values_.Remove(key);
}

void Records::Clear() {
    values_.Clear();
}

bool Records::Save() const {
    if (!CanSave()) {
        return false;
    }
    const std::string path = GetFilePath();
    const std::string text = FormatRecordText(values_);
    Log("Saving Record to: " + path);
    CreateFoldersFor(path);
    const std::string error = WriteFileReplacing(path, text);
    if (!error.empty()) {
        Log("Saving Record failed: " + path + ": " + error);
        return false;
    }
    return true;
}

std::string Records::GetFilePath() const {
    return RecordFilePath(DataStore::Get().GetPath(), folderName_, title_);
}

void Records::Put(const std::string& key, const std::string& text) {
    // Such a key would split into other entries when the file is read back.
    Assert(key.find_first_of("\t\r\n") == std::string::npos,
           "Record key holds a tab or a line end: " + key);
    values_.Set(key, text);
}

}  // namespace VelaEngine
