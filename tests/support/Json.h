#pragma once
// A small JSON reader for checking the runner's dumps: values as a tree, lookups by key and
// by index. Malformed text throws std::runtime_error.
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace TestSupport {

struct Json {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0.0;
    std::string text;
    std::vector<Json> items;
    std::map<std::string, Json> fields;

    const Json& operator[](const std::string& key) const {
        auto found = fields.find(key);
        if (kind != Kind::Object || found == fields.end()) {
            throw std::runtime_error("no key " + key);
        }
        return found->second;
    }
    const Json& operator[](std::size_t index) const { return items.at(index); }
    bool Has(const std::string& key) const { return fields.count(key) != 0; }

    static Json Parse(const std::string& source) {
        std::size_t pos = 0;
        Json value = ParseValue(source, pos);
        SkipSpace(source, pos);
        if (pos != source.size()) {
            throw std::runtime_error("trailing text in JSON");
        }
        return value;
    }

private:
    static void SkipSpace(const std::string& s, std::size_t& pos) {
        while (pos < s.size() &&
               (s[pos] == ' ' || s[pos] == '\n' || s[pos] == '\t' || s[pos] == '\r')) {
            ++pos;
        }
    }
    static void Expect(const std::string& s, std::size_t& pos, char c) {
        SkipSpace(s, pos);
        if (pos >= s.size() || s[pos] != c) {
            throw std::runtime_error(std::string("expected ") + c + " in JSON");
        }
        ++pos;
    }
    static std::string ParseString(const std::string& s, std::size_t& pos) {
        Expect(s, pos, '"');
        std::string out;
        while (pos < s.size() && s[pos] != '"') {
            char c = s[pos++];
            if (c == '\\' && pos < s.size()) {
                const char e = s[pos++];
                switch (e) {
                    case 'n':
                        out += '\n';
                        break;
                    case 't':
                        out += '\t';
                        break;
                    case 'r':
                        out += '\r';
                        break;
                    case 'u':
                        out += static_cast<char>(std::stoi(s.substr(pos, 4), nullptr, 16));
                        pos += 4;
                        break;
                    default:
                        out += e;
                }
            } else {
                out += c;
            }
        }
        Expect(s, pos, '"');
        return out;
    }
    static Json ParseValue(const std::string& s, std::size_t& pos) {
        SkipSpace(s, pos);
        Json value;
        if (pos >= s.size()) {
            throw std::runtime_error("unexpected end of JSON");
        }
        const char c = s[pos];
        if (c == '{') {
            value.kind = Kind::Object;
            ++pos;
            SkipSpace(s, pos);
            if (s[pos] == '}') {
                ++pos;
                return value;
            }
            while (true) {
                std::string key = ParseString(s, pos);
                Expect(s, pos, ':');
                value.fields[key] = ParseValue(s, pos);
                SkipSpace(s, pos);
                if (s[pos] == ',') {
                    ++pos;
                    continue;
                }
                Expect(s, pos, '}');
                return value;
            }
        }
        if (c == '[') {
            value.kind = Kind::Array;
            ++pos;
            SkipSpace(s, pos);
            if (s[pos] == ']') {
                ++pos;
                return value;
            }
            while (true) {
                value.items.push_back(ParseValue(s, pos));
                SkipSpace(s, pos);
                if (s[pos] == ',') {
                    ++pos;
                    continue;
                }
                Expect(s, pos, ']');
                return value;
            }
        }
        if (c == '"') {
            value.kind = Kind::String;
            value.text = ParseString(s, pos);
            return value;
        }
        for (const char* word : {"true", "false", "null"}) {
            if (s.compare(pos, std::char_traits<char>::length(word), word) == 0) {
                pos += std::char_traits<char>::length(word);
                value.kind = word[0] == 'n' ? Kind::Null : Kind::Bool;
                value.boolean = word[0] == 't';
                return value;
            }
        }
        std::size_t used = 0;
        value.kind = Kind::Number;
        value.number = std::stod(s.substr(pos, 40), &used);
        pos += used;
        return value;
    }
};

}  // namespace TestSupport
