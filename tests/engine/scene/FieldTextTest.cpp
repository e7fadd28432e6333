#include <gtest/gtest.h>

#include <climits>

#include "engine/scene/FieldMap.h"
#include "engine/scene/ValueText.h"
#include "engine/scene/Vector2.h"
#include "support/FatalCatcher.h"

using namespace VelaEngine;
using TestSupport::FatalMessageOf;

TEST(FieldMapGet, NumbersFollowAtofAndAtoiAndBoolsReadOnlyLowerCaseTAndF) {
    const struct {
        const char* text;
        int whole;
        float number;
    } numbers[] = {{"3.9", 3, 3.9f},     {"-3.9", -3, -3.9f}, {"2.5px", 2, 2.5f},
                   {"  7.25", 7, 7.25f}, {"abc", 0, 0.0f},    {"99999999999", INT_MAX, 1e11f}};
    FieldMap map;
    for (const auto& row : numbers) {
        map.Set("n", row.text);
        EXPECT_EQ(map.Get("n", 5), row.whole) << row.text;
        EXPECT_FLOAT_EQ(map.Get("n", 5.0f), row.number) << row.text;
    }
    // Only a leading lower-case t or f is read; anything else gives the default.
    const std::pair<const char*, int> bools[] = {
        {"true", 1}, {"tomato", 1}, {"false", 0}, {"1", -1}, {"True", -1}, {"", -1}, {" t", -1}};
    for (const auto& [text, value] : bools) {
        map.Set("b", text);
        EXPECT_EQ(map.Get("b", true), value != 0) << text;
        EXPECT_EQ(map.Get("b", false), value == 1) << text;
    }
    // The last text for a name wins; names are case-sensitive.
    map.Set("W", "30");
    EXPECT_EQ(map.Get("n", 0), INT_MAX);
    EXPECT_EQ(map.Get("W", 0), 30);
    EXPECT_EQ(map.Get("w", 17), 17);
    EXPECT_EQ(map.Get("absent", "fallback"), "fallback");
    EXPECT_EQ(map.Get("W", "fallback"), "30");
    EXPECT_FALSE(map.Get("absent", false));
}

TEST(FieldMapSet, AClearedMapForgetsEveryFieldWhileItsEntriesAreReusedAndCopiesStandAlone) {
    FieldMap map;
    map.Set("t", "1,2");
    map.Set("r", "90");
    map.Set("a long field name past any short-string buffer", "and a long value past it too");
    map.Clear();
    EXPECT_TRUE(map.Empty());
    map.Set("s", "3,4");
    map.Set("t", "5,6");
    EXPECT_EQ(map.Fields().size(), 2u);
    EXPECT_EQ(map.Get("t", ""), "5,6");
    EXPECT_EQ(map.Get("s", ""), "3,4");
    EXPECT_EQ(map.Get("r", "absent"), "absent") << "a field of before the clear";
    EXPECT_EQ(map.Get("a long field name past any short-string buffer", "absent"), "absent");
    const FieldMap copy = map;
    map.Clear();
    map.Set("t", "7,8");
    EXPECT_EQ(copy.Get("t", ""), "5,6");
    EXPECT_EQ(copy.Fields().size(), 2u);
    map.Remove("t");
    map.Remove("never set");
    EXPECT_TRUE(map.Empty());
}

TEST(Vector2Text, ReadsStrayCommasWritesSixDecimalsRoundTripsAndWrongCountsAreFatal) {
    for (const char* text : {"1.5,-2", "1.5, -2", ",1.5,-2,", "1.5,,-2"}) {
        Vector2 v;
        v.Deserialize(text);
        EXPECT_EQ(v, Vector2(1.5f, -2.0f)) << text;
    }

    EXPECT_EQ(Vector2(12.5f, -1.0f).Serialize(), "12.500000,-1.000000");
    const Vector2 original(123.456789f, -0.0000004f);
    Vector2 copy;
    copy.Deserialize(original.Serialize());
    EXPECT_NEAR(copy.x, original.x, 1e-6 * 100);
    EXPECT_NEAR(copy.y, original.y, 1e-6);
    EXPECT_EQ(FormatFloat(3.0e38f).find('e'), std::string::npos);

    for (const char* text : {"1;2", "1", "1,2,3", ""}) {
        Vector2 v(4.0f, 5.0f);
        EXPECT_EQ(FatalMessageOf([&] { v.Deserialize(text); }),
                  "Assertion failed in VEDebug.cpp line 22: Vector2 wrong Serialization format")
            << text;
        EXPECT_EQ(v, Vector2(4.0f, 5.0f));
    }
    Point2 p;
    EXPECT_NE(FatalMessageOf([&] { p.Deserialize("1"); }).find("Point2 wrong"), std::string::npos);
    Normal2 n;
    EXPECT_NE(FatalMessageOf([&] { n.Deserialize("1,2,3"); }).find("Normal2 wrong"),
              std::string::npos);
}
