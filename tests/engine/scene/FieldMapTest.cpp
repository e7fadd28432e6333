#include <gtest/gtest.h>

#include <climits>

#include "engine/graphics/Color.h"
#include "engine/physics/Material.h"
#include "engine/scene/FieldMap.h"
#include "engine/scene/Vector2.h"
#include "support/FatalCatcher.h"

using namespace VelaEngine;
using Collision::Material;
using Graphics::Color;
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

TEST(FieldMapGet, StructuredValuesReadFromScratchOrReturnTheDefault) {
    FieldMap map;
    map.Set("tint", "0.5, 0.25,0,1");
    map.Set("material", "0.0,0.0");
    const Color caller(0.1f, 0.2f, 0.3f, 0.4f);
    EXPECT_EQ(map.Get("missing", caller), caller);
    EXPECT_EQ(map.Get("tint", caller), Color(0.5f, 0.25f, 0.0f, 1.0f));
    EXPECT_EQ(map.Get("material", Material(0.9f, 0.9f)), Material(0.0f, 0.0f));
    EXPECT_EQ(map.Get("missing", Vector2(3.0f, 4.0f)), Vector2(3.0f, 4.0f));
    EXPECT_NE(FatalMessageOf([&] { map.Get("tint", Vector2()); }), "") << "four numbers for two";
}
