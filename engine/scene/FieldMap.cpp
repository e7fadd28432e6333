#include "engine/scene/FieldMap.h"

#include <climits>
#include <cstdlib>

#include "engine/scene/ValueText.h"

namespace VelaEngine {

namespace {
// atoi's reading, but a number beyond the int range (a damaged record, say) clamps instead
// of being undefined.
int ReadInt(const std::string& text) {
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}
}  // namespace

void FieldMap::Set(std::string_view name, std::string_view text) {
    auto found = fields_.find(name);
    if (found != fields_.end()) {
        found->second.assign(text);
        return;
    }
    if (spare_.empty()) {
        fields_.emplace(std::string(name), std::string(text));
        return;
    }
    Map::node_type entry = std::move(spare_.back());
    spare_.pop_back();
    entry.key().assign(name);
    entry.mapped().assign(text);
    fields_.insert(std::move(entry));
}

void FieldMap::Remove(std::string_view name) {
    auto found = fields_.find(name);
    if (found != fields_.end()) {
        fields_.erase(found);
    }
}

void FieldMap::Clear() {
    while (!fields_.empty()) {
        spare_.push_back(fields_.extract(fields_.begin()));
    }
}

const std::string* FieldMap::Find(const char* name) const {
    auto found = fields_.find(std::string_view(name));
    return found == fields_.end() ? nullptr : &found->second;
}

float FieldMap::Get(const char* name, float def) const {
    const std::string* text = Find(name);
    return text == nullptr ? def : static_cast<float>(ReadAtof(*text));
}

int FieldMap::Get(const char* name, int def) const {
    const std::string* text = Find(name);
    return text == nullptr ? def : ReadInt(*text);
}

bool FieldMap::Get(const char* name, bool def) const {
    const std::string* text = Find(name);
    if (text == nullptr || text->empty()) {
        return def;
    }
    if ((*text)[0] == 't') {
        return true;
    }
    if ((*text)[0] == 'f') {
        return false;
    }
    return def;
}

std::string FieldMap::Get(const char* name, const char* def) const {
    const std::string* text = Find(name);
    if (text != nullptr) {
        return *text;
    }
    return def == nullptr ? std::string() : std::string(def);
}

bool FieldMap::TryGet(const char* name, float& out) const {
    const std::string* text = Find(name);
    if (text == nullptr) {
        return false;
    }
    out = static_cast<float>(ReadAtof(*text));
    return true;
}

bool FieldMap::TryGet(const char* name, int& out) const {
    const std::string* text = Find(name);
    if (text == nullptr) {
        return false;
    }
    out = ReadInt(*text);
    return true;
}

bool FieldMap::TryGet(const char* name, std::string& out) const {
    const std::string* text = Find(name);
    if (text == nullptr) {
        return false;
    }
    out = *text;
    return true;
}

bool FieldMap::TryGet(const char* name, ISerializedField& out) const {
    const std::string* text = Find(name);
    if (text == nullptr) {
        return false;
    }
    out.Deserialize(*text);
    return true;
}

}  // namespace VelaEngine
