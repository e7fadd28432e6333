#include "engine/scene/FieldMap.h"

#include <cstdlib>

namespace VelaEngine {

const std::string* FieldMap::Find(const char* name) const {
    auto found = fields_.find(name);
    return found == fields_.end() ? nullptr : &found->second;
}

float FieldMap::Get(const char* name, float def) const {
    const std::string* text = Find(name);
    return text == nullptr ? def : static_cast<float>(std::atof(text->c_str()));
}

int FieldMap::Get(const char* name, int def) const {
    const std::string* text = Find(name);
    return text == nullptr ? def : std::atoi(text->c_str());
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
    return text == nullptr ? std::string(def) : *text;
}

bool FieldMap::TryGet(const char* name, float& out) const {
    const std::string* text = Find(name);
    if (text == nullptr) {
        return false;
    }
    out = static_cast<float>(std::atof(text->c_str()));
    return true;
}

bool FieldMap::TryGet(const char* name, int& out) const {
    const std::string* text = Find(name);
    if (text == nullptr) {
        return false;
    }
    out = std::atoi(text->c_str());
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
