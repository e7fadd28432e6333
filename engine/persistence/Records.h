#pragma once
#include <string>

#include "engine/core/Singleton.h"
#include "engine/scene/FieldMap.h"

namespace VelaEngine {

// The game's saved values, held in memory as key/value texts and written to the record file
// (in the data folder, named after the game's title) only when the game saves.
class Records : public Singleton<Records> {
public:
    static constexpr const char* kServiceName = "Records";

    // Keeps the folder name and the game's title, which names the record file, and loads
    // whatever that file holds; a missing or damaged file leaves the values empty or partly
    // filled, never fails. A file that is there but cannot be read whole is logged once and
    // never saved over in this run.
    void Init(const std::string& folderName, const std::string& title);

    // The field-map rules: absent keys, and bools not starting with 't' or 'f', give `def`.
    int GetInt(const std::string& key, int def) const;
    float GetFloat(const std::string& key, float def) const;
    bool GetBool(const std::string& key, bool def) const;
    // The stored text itself; false (and `out` untouched) when the key is absent.
    bool GetText(const std::string& key, std::string& out) const;

    // Only the memory changes; nothing is written until Save.
    void SetInt(const std::string& key, int value);
    void SetFloat(const std::string& key, float value);
    void SetBool(const std::string& key, bool value);
    // The key reads as absent from now on, and the next save leaves it out.
    void Remove(const std::string& key);
    void Clear();

    // Replaces the record file as a whole. A failure is logged and leaves the previous file
    // and the values in memory as they were; the result tells whether the file was written.
    // After a load that could not read the file whole nothing is written.
    bool Save() const;
    // Whether saves write the file: false when it was there at start but not read whole.
    bool CanSave() const { return unreadProblem_.empty(); }

    std::string GetFilePath() const;

private:
    void Put(const std::string& key, const std::string& text);

    FieldMap values_;
    std::string folderName_ = "records";
    std::string title_;
    // Why the file found at start could not be read whole; empty when it was, or was absent.
    std::string unreadProblem_;
};

}  // namespace VelaEngine

VELA_SERVICE_HOLDER_DECLARATION(VelaEngine::Records)
