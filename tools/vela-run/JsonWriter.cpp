#include "tools/vela-run/JsonWriter.h"

#include <cmath>
#include <cstdio>

namespace VelaRun {

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!hasValue_.empty()) {
        if (hasValue_.back()) {
            text_ += ", ";
        }
        hasValue_.back() = true;
    }
}

void JsonWriter::BeginObject() {
    BeforeValue();
    text_ += '{';
    hasValue_.push_back(false);
}

void JsonWriter::EndObject() {
    hasValue_.pop_back();
    text_ += '}';
}

void JsonWriter::BeginArray() {
    BeforeValue();
    text_ += '[';
    hasValue_.push_back(false);
}

void JsonWriter::EndArray() {
    hasValue_.pop_back();
    text_ += ']';
}

void JsonWriter::Key(const std::string& name) {
    BeforeValue();
    WriteString(name);
    text_ += ": ";
    afterKey_ = true;
}

void JsonWriter::String(const std::string& value) {
    BeforeValue();
    WriteString(value);
}

void JsonWriter::WriteString(const std::string& value) {
    text_ += '"';
    for (unsigned char c : value) {
        switch (c) {
            case '"':
                text_ += "\\\"";
                break;
            case '\\':
                text_ += "\\\\";
                break;
            case '\n':
                text_ += "\\n";
                break;
            case '\r':
                text_ += "\\r";
                break;
            case '\t':
                text_ += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    text_ += escaped;
                } else {
                    text_ += static_cast<char>(c);
                }
        }
    }
    text_ += '"';
}

void JsonWriter::Number(double value) {
    BeforeValue();
    if (!std::isfinite(value)) {
        text_ += "null";  // JSON has no infinities or NaN
        return;
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", value);
    text_ += buffer;
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    text_ += value ? "true" : "false";
}

void JsonWriter::Null() {
    BeforeValue();
    text_ += "null";
}

}  // namespace VelaRun
