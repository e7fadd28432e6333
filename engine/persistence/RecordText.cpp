#include "engine/persistence/RecordText.h"

#include <algorithm>

#include "engine/core/VEDebug.h"
#include "engine/scene/ValueText.h"

namespace VelaEngine {

void ParseRecordText(std::string text, FieldMap& values) {
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    for (const std::string& line : SplitText(text, "\n")) {
        const std::size_t tab = line.find('\t');
        std::string key = line.substr(0, tab);
        std::string value = tab == std::string::npos ? line : line.substr(tab + 1);
        if (values.Fields().count(key) != 0) {
            Log("Key already exists");
        }
        values.Set(key, value);
    }
}

std::string FormatRecordText(const FieldMap& values) {
    std::string text;
    for (const auto& [key, value] : values.Fields()) {
        text += key;
        // A line without a tab reads back as this same entry, so it is written back as it
        // was read instead of growing into "line<tab>line".
        if (key.empty() || value != key) {
            text += '\t';
            text += value;
        }
        text += '\n';
    }
    if (!text.empty()) {
        text.pop_back();
    }
    return text;
}

}  // namespace VelaEngine
