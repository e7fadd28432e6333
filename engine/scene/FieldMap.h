#pragma once
// The named text fields of one component, as a scene file or code hands them over, with the
// typed getters components read them through.
#include <concepts>
#include <string>
#include <string_view>
#include <unordered_map>

#include "engine/scene/Object.h"

namespace VelaEngine {

class FieldMap {
public:
    // Present: atof of the text; absent: the default.
    float Get(const char* name, float def) const;
    // Present: atoi of the text (out-of-range numbers clamp to the int range); absent: the
    // default.
    int Get(const char* name, int def) const;
    // Present and starting with 't' or 'f': that; anything else, or absent: the default.
    bool Get(const char* name, bool def) const;
    std::string Get(const char* name, const char* def) const;

    // Structured values: present, a default-constructed T reads the text; absent, the default.
    template <class T>
    requires std::derived_from<T, ISerializedField> T Get(const char* name, const T& def)
    const {
        const std::string* text = Find(name);
        if (text == nullptr) {
            return def;
        }
        T value;
        value.Deserialize(*text);
        return value;
    }

    // Present: `out` takes the value and the result is true; absent: `out` is untouched.
    bool TryGet(const char* name, float& out) const;
    bool TryGet(const char* name, int& out) const;
    bool TryGet(const char* name, std::string& out) const;
    bool TryGet(const char* name, ISerializedField& out) const;

    // The last text given for a name wins.
    void Set(std::string_view name, std::string_view text) {
        fields_[std::string(name)].assign(text.data(), text.size());
    }
    void Remove(const std::string& name) { fields_.erase(name); }
    void Clear() { fields_.clear(); }
    bool Empty() const { return fields_.empty(); }
    const std::unordered_map<std::string, std::string>& Fields() const { return fields_; }

private:
    const std::string* Find(const char* name) const;

    std::unordered_map<std::string, std::string> fields_;
};

}  // namespace VelaEngine
