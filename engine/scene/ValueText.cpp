#include "engine/scene/ValueText.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <system_error>

#include "engine/core/VEDebug.h"

namespace VelaEngine {

namespace {
// Membership of every byte in a delimiter set, so a scan costs one lookup per character.
struct DelimiterSet {
    explicit DelimiterSet(const std::string& delimiters) {
        for (unsigned char c : delimiters) {
            member[c] = true;
        }
    }
    bool operator()(char c) const { return member[static_cast<unsigned char>(c)]; }
    bool member[256] = {};
};

// Calls `piece(begin, end)` for every piece of `text` in order.
template <class F>
void ForEachPiece(const std::string& text, const DelimiterSet& isDelimiter, F&& piece) {
    const std::size_t size = text.size();
    std::size_t pos = 0;
    while (true) {
        while (pos < size && isDelimiter(text[pos])) {
            ++pos;
        }
        if (pos == size) {
            return;
        }
        std::size_t end = pos;
        while (end < size && !isDelimiter(text[end])) {
            ++end;
        }
        piece(pos, end);
        pos = end;
    }
}

// from_chars agrees with strtod on what it reads, but knows no leading blanks, '+' or hex
// and reports what strtod would round to infinity or zero: those stay with atof.
bool StartsPlain(const char* text, const char* end) {
    const char* digits = text != end && *text == '-' ? text + 1 : text;
    return digits != end && ((*digits >= '0' && *digits <= '9') || *digits == '.') &&
           !(digits[0] == '0' && digits + 1 != end && (digits[1] | 0x20) == 'x');
}

// Up to fifteen digits with a point and no exponent: the digits make an integer below 2^53
// and the point divides by a power of ten below 10^23, both exact in a double, so a single
// division rounds the value correctly, as strtod does. `at` moves past what was read.
bool ReadShortDecimal(const char*& at, const char* end, double& value) {
    const char* p = at;
    const bool negative = p != end && *p == '-';
    p += negative ? 1 : 0;
    std::uint64_t digits = 0;
    int count = 0;
    int decimals = 0;
    bool point = false;
    for (; p != end; ++p) {
        if (*p >= '0' && *p <= '9') {
            digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
            ++count;
            decimals += point ? 1 : 0;
        } else if (*p == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (count == 0 || count > 15 || (p != end && (*p | 0x20) == 'e')) {
        return false;
    }
    static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const double magnitude = static_cast<double>(digits) / kPowers[decimals];
    value = negative ? -magnitude : magnitude;
    at = p;
    return true;
}
}  // namespace

double ReadAtof(const char* text, const char* end) {
    if (StartsPlain(text, end)) {
        double value = 0.0;
        if (const char* at = text; ReadShortDecimal(at, end, value)) {
            return value;
        }
        const std::from_chars_result read = std::from_chars(text, end, value);
        if (read.ec == std::errc()) {
            return value;
        }
    }
    return std::atof(text);
}

std::vector<std::string> SplitText(const std::string& text, const std::string& delimiters) {
    std::vector<std::string> pieces;
    ForEachPiece(text, DelimiterSet(delimiters), [&](std::size_t begin, std::size_t end) {
        pieces.push_back(text.substr(begin, end - begin));
    });
    return pieces;
}

void SplitAtTabs(const std::string& text, std::vector<std::string>& pieces) {
    static const DelimiterSet kTab("\t");
    pieces.clear();
    ForEachPiece(text, kTab, [&](std::size_t begin, std::size_t end) {
        pieces.emplace_back(text, begin, end - begin);
    });
}

void ReadFloats(const std::string& text, float* out, std::size_t count, const char* formatMessage) {
    static const DelimiterSet kComma(",");
    // Pieces are read in place: a number never runs on past a comma, so converting from the
    // piece's start reads exactly what converting the piece alone would.
    std::size_t starts[16];
    std::size_t found = 0;
    ForEachPiece(text, kComma, [&](std::size_t begin, std::size_t) {
        if (found < count && found < std::size(starts)) {
            starts[found] = begin;
        }
        ++found;
    });
    if (found != count || count > std::size(starts)) {
        Assert(false, formatMessage);
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        out[i] = static_cast<float>(ReadAtof(text.c_str() + starts[i], text.c_str() + text.size()));
    }
}

bool ReadPlainFloats(std::string_view text, float* out, std::size_t count) {
    const char* at = text.data();
    const char* const end = at + text.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) {
            if (at == end || *at != ',') {
                return false;
            }
            ++at;
        }
        double value = 0.0;
        if (!StartsPlain(at, end)) {
            return false;
        }
        if (!ReadShortDecimal(at, end, value)) {
            const std::from_chars_result read = std::from_chars(at, end, value);
            if (read.ec != std::errc()) {
                return false;
            }
            at = read.ptr;
        }
        if (at != end && *at != ',') {
            return false;
        }
        out[i] = static_cast<float>(value);
    }
    return at == end;
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
