#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "engine/scene/ValueText.h"

using VelaEngine::ReadAtof;

namespace {

uint64_t Bits(double value) {
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Both the double and the float the loader keeps must be atof's to the bit (NaNs compare by
// their bits too).
void ExpectSameAsAtof(const std::string& text) {
    const double expected = std::atof(text.c_str());
    const double read = ReadAtof(text);
    EXPECT_EQ(Bits(read), Bits(expected)) << '"' << text << '"';
    const float narrowExpected = static_cast<float>(expected);
    const float narrowRead = static_cast<float>(read);
    EXPECT_EQ(std::memcmp(&narrowRead, &narrowExpected, sizeof(float)), 0) << '"' << text << '"';
}

std::string Printed(const char* format, double value) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

}  // namespace

TEST(ReadAtof, EveryEdgeFormReadsAsAtofDoes) {
    const char* const texts[] = {"",
                                 "0",
                                 "-0",
                                 "+0",
                                 "00",
                                 "0.",
                                 ".5",
                                 "-.5",
                                 "+.5",
                                 ".",
                                 "-",
                                 "+",
                                 "-.",
                                 "1e",
                                 "1e+",
                                 "1e-",
                                 "1E5",
                                 "1e5",
                                 "-1e-5",
                                 "1.5e+3",
                                 "1.5E-3x",
                                 "  7.25",
                                 "\t3",
                                 "\n-2",
                                 " +4",
                                 "2.5px",
                                 "3.9,4",
                                 "12abc",
                                 "abc",
                                 "e5",
                                 "0x",
                                 "0x1p3",
                                 "0X1P-2",
                                 "-0x10",
                                 "+0x1.8p1",
                                 "0x.8",
                                 "00x1",
                                 "inf",
                                 "-inf",
                                 "+INF",
                                 "infinity",
                                 "Infinity",
                                 "nan",
                                 "-nan",
                                 "NAN",
                                 "nan(123)",
                                 "1e308",
                                 "1.8e308",
                                 "1e309",
                                 "-1e400",
                                 "4.9e-324",
                                 "2.4e-324",
                                 "1e-400",
                                 "-1e-400",
                                 "2.2250738585072014e-308",
                                 "2.2250738585072011e-308",
                                 "3.4028235e38",
                                 "3.4028236e38",
                                 "1.17549435e-38",
                                 "1.4e-45",
                                 "7e-46",
                                 "0.000000000000000000001",
                                 "123456789012345678901234567890",
                                 "9007199254740993",
                                 "9007199254740992.5",
                                 "0.1000000000000000055511151231257827021181583404541015625",
                                 "1.00000005960464477539062",
                                 "1.00000005960464477539063",
                                 "--1",
                                 "-+1",
                                 "1..2",
                                 "1.2.3",
                                 "1e5e5",
                                 "1,5",
                                 "\xff",
                                 "-\xff",
                                 "5\t6"};
    for (const char* text : texts) {
        ExpectSameAsAtof(text);
    }
}

TEST(ReadAtof, RandomNumbersInEveryPrintedFormReadAsAtofDoes) {
    std::mt19937_64 random(20261208);
    std::uniform_int_distribution<uint64_t> anyBits;
    std::uniform_real_distribution<double> scene(-5000.0, 5000.0);
    const char* const formats[] = {"%f",   "%.1f", "%g",  "%.9g", "%.17g", "%e",
                                   "%.3e", "%a",   "%+f", " %f",  "%.40f"};
    for (int i = 0; i < 20000; ++i) {
        double value = 0.0;
        const uint64_t bits = anyBits(random);
        std::memcpy(&value, &bits, sizeof value);
        const double typical = scene(random);
        for (const char* format : formats) {
            ExpectSameAsAtof(Printed(format, value));
            ExpectSameAsAtof(Printed(format, typical));
            ExpectSameAsAtof(Printed(format, static_cast<float>(typical)));
        }
    }
}

TEST(ReadAtof, VeryLongDigitRunsAndHalfwayCasesReadAsAtofDoes) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> exponent(-340, 310);
    for (int i = 0; i < 2000; ++i) {
        std::string text = (i % 2 == 0) ? "-" : "";
        const int length = 1 + i % 800;
        for (int d = 0; d < length; ++d) {
            text += static_cast<char>('0' + digit(random));
            if (d == i % 23) {
                text += '.';
            }
        }
        ExpectSameAsAtof(text);
        ExpectSameAsAtof(text + "e" + std::to_string(exponent(random)));
    }
    // Exactly halfway between two floats and two doubles, then a hair either side.
    const char* const halfway[] = {"1.000000059604644775390625", "9007199254740993",
                                   "9007199254740993.0000000000000000000000000000001",
                                   "9007199254740992.9999999999999999999999999999999"};
    for (const char* text : halfway) {
        ExpectSameAsAtof(text);
        ExpectSameAsAtof(std::string("-") + text);
    }
}

TEST(ReadAtof, ReadsOnlyUpToTheEndItIsGivenLikeAtofStoppingAtAComma) {
    // The value lists hand over a piece inside a longer text; a comma ends the number.
    const std::string text = "12.5,-3e2,0x10";
    const char* end = text.c_str() + text.size();
    EXPECT_EQ(ReadAtof(text.c_str(), end), 12.5);
    EXPECT_EQ(ReadAtof(text.c_str() + 5, end), -300.0);
    EXPECT_EQ(ReadAtof(text.c_str() + 10, end), 16.0);
}

TEST(ReadPlainFloats, TakesOnlyExactPlainListsAndReadsThemAsReadFloatsDoes) {
    const char* const taken[] = {"1,2",           "-0,0",
                                 "12.5,-3e2",     ".5,-.25",
                                 "1e-310,3.4e38", "1.000000059604644775390625,9007199254740993"};
    for (const char* text : taken) {
        float plain[2] = {};
        float general[2] = {};
        ASSERT_TRUE(VelaEngine::ReadPlainFloats(text, plain, 2)) << text;
        VelaEngine::ReadFloats(text, general, 2, "format");
        EXPECT_EQ(std::memcmp(plain, general, sizeof plain), 0) << text;
    }
    // What atof reads otherwise than from_chars would, or what the list rules bend
    // (repeated, leading and trailing commas), is left to the general reading.
    const char* const refused[] = {"",     "1",       "1,2,3", ",1,2", "1,,2", "1,2,",  " 1,2",
                                   "+1,2", "0x1,2",   "1,0X2", "1,2x", "1e,2", "inf,1", "nan,1",
                                   "1,-",  "1e999,1", "1\t,2", "1, 2", "1,2 "};
    for (const char* text : refused) {
        float out[2] = {};
        EXPECT_FALSE(VelaEngine::ReadPlainFloats(text, out, 2)) << '"' << text << '"';
    }
    float one = 0.0f;
    EXPECT_TRUE(VelaEngine::ReadPlainFloats("-90", &one, 1));
    EXPECT_EQ(one, -90.0f);
    EXPECT_FALSE(VelaEngine::ReadPlainFloats("90,", &one, 1));
}
