#pragma once
// The named text fields of one component, as a scene file or code hands them over, with the
// typed getters components read them through.
#include <concepts>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/scene/Object.h"

namespace VelaEngine {

class FieldMap {
public:
    // Names are found as views, so a getter's literal name needs no string of its own.
    struct NameHash {
        using is_transparent = void;
        // FNV-1a: names are a few letters, for which the library's long-string hash costs
        // more than the lookup it serves.
        std::size_t operator()(std::string_view name) const {
            std::size_t hash = 0xcbf29ce484222325ull;
            for (const char c : name) {
                hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
            }
            return hash;
        }
    };
    using Map = std::unordered_map<std::string, std::string, NameHash, std::equal_to<>>;

    FieldMap() = default;
    // Copies the fields; the spare entries stay with their map.
    FieldMap(const FieldMap& other) : fields_(other.fields_) {}
    FieldMap& operator=(const FieldMap& other) {
        fields_ = other.fields_;
        return *this;
    }
    FieldMap(FieldMap&&) = default;
    FieldMap& operator=(FieldMap&&) = default;

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
    void Set(std::string_view name, std::string_view text);
    void Remove(std::string_view name);
    // The entries are kept aside and reused by later Sets: the loader fills and clears one map
    // for every component and transform of a scene.
    void Clear();
    bool Empty() const { return fields_.empty(); }
    const Map& Fields() const { return fields_; }

private:
    const std::string* Find(const char* name) const;

    Map fields_;
    std::vector<Map::node_type> spare_;
};

}  // namespace VelaEngine
