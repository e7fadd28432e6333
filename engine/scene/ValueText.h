#pragma once
// The tokenising and number formats shared by every value text, scene line and clip.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace VelaEngine {

// Splits on any character of `delimiters`; runs of delimiters count as one, leading and
// trailing ones are ignored, and no piece is ever empty. Nothing is trimmed.
std::vector<std::string> SplitText(const std::string& text, const std::string& delimiters);
// SplitText at tabs into `pieces`, whose storage is reused: the loader splits every line.
void SplitAtTabs(const std::string& text, std::vector<std::string>& pieces);

// atof of the NUL-terminated `text`, to the bit. Plain decimal text (an optional '-', digits
// and a point, an exponent) is read with from_chars; every other form (leading blanks or '+',
// hex, inf, nan, out of range) goes to atof itself. `end` is where the string's NUL is.
double ReadAtof(const char* text, const char* end);
inline double ReadAtof(const std::string& text) {
    return ReadAtof(text.c_str(), text.c_str() + text.size());
}

// Reads exactly `count` comma-separated numbers with atof semantics into `out`. Any other
// count is a content error reported through Assert with `formatMessage`; `out` is then
// untouched.
void ReadFloats(const std::string& text, float* out, std::size_t count, const char* formatMessage);

// Exactly `count` plain decimal numbers (as ReadAtof reads with from_chars) joined by single
// commas, with nothing else: then `out` holds what ReadFloats and ReadAtof would read and the
// result is true. Any other text gives false (with `out` partly written) and leaves the
// reading to them.
bool ReadPlainFloats(std::string_view text, float* out, std::size_t count);

// One number in "%f" form (six decimals, no exponent).
std::string FormatFloat(float value);

// Numbers in "%f" form joined by "," with no spaces.
std::string FormatFloats(const float* values, std::size_t count);

}  // namespace VelaEngine
