#include "engine/scene/ValueText.h"

#include <cstdio>
#include <cstdlib>

#include "engine/core/VEDebug.h"

namespace VelaEngine {

std::vector<std::string> SplitText(const std::string& text, const std::string& delimiters) {
    std::vector<std::string> pieces;
    std::size_t pos = 0;
    while (true) {
        pos = text.find_first_not_of(delimiters, pos);
        if (pos == std::string::npos) {
            break;
        }
        std::size_t end = text.find_first_of(delimiters, pos);
        if (end == std::string::npos) {
            end = text.size();
        }
        pieces.push_back(text.substr(pos, end - pos));
        pos = end;
    }
    return pieces;
}

void ReadFloats(const std::string& text, float* out, std::size_t count,
                const char* formatMessage) {
    const std::vector<std::string> pieces = SplitText(text, ",");
    if (pieces.size() != count) {
        Assert(false, formatMessage);
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        out[i] = static_cast<float>(std::atof(pieces[i].c_str()));
    }
}

std::string FormatFloat(float value) {
    // "%f" of the largest float needs 47 characters; this leaves room for any value.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%f", static_cast<double>(value));
    return buffer;
}

std::string FormatFloats(const float* values, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) {
            text += ',';
        }
        text += FormatFloat(values[i]);
    }
    return text;
}

}  // namespace VelaEngine
