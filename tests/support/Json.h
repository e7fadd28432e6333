#pragma once
// The runner's dumps as a plain tree for checks: lookups by key and by index. nlohmann reads
// the text; malformed text and missing keys throw.
#include <map>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <vector>

namespace TestSupport {

struct Json {
    bool boolean = false;
    double number = 0.0;
    std::string text;
    std::vector<Json> items;
    std::map<std::string, Json> fields;

    const Json& operator[](const std::string& key) const {
        auto found = fields.find(key);
        if (found == fields.end()) {
            throw std::runtime_error("no key " + key);
        }
        return found->second;
    }
    const Json& operator[](std::size_t index) const { return items.at(index); }
    bool Has(const std::string& key) const { return fields.count(key) != 0; }

    static Json Parse(const std::string& source) { return From(nlohmann::json::parse(source)); }

private:
    static Json From(const nlohmann::json& node) {
        Json value;
        if (node.is_object()) {
            for (const auto& [key, field] : node.items()) {
                value.fields[key] = From(field);
            }
        } else if (node.is_array()) {
            for (const auto& item : node) {
                value.items.push_back(From(item));
            }
        } else if (node.is_string()) {
            value.text = node.get<std::string>();
        } else if (node.is_boolean()) {
            value.boolean = node.get<bool>();
        } else if (node.is_number()) {
            value.number = node.get<double>();
        }
        return value;
    }
};

}  // namespace TestSupport
