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

namespace {
FieldMap MapOf(std::initializer_list<std::pair<const char*, const char*>> fields) {
    FieldMap map;
    for (const auto& [name, text] : fields) {
        map.Set(name, text);
    }
    return map;
}
}  // namespace

TEST(FieldMapGet, NumbersFollowAtofAndAtoiAndBoolsReadOnlyLowerCaseTAndF) {
    const FieldMap map = MapOf({{"fraction", "3.9"},
                                {"negative", "-3.9"},
                                {"lettered", "2.5px"},
                                {"spaced", "  7.25"},
                                {"word", "abc"},
                                {"huge", "99999999999"},
                                {"w", "10"},
                                {"W", "30"},
                                {"w", "20"},
                                {"t", "true"},
                                {"f", "false"},
                                {"tx", "tomato"},
                                {"one", "1"},
                                {"capital", "True"},
                                {"empty", ""},
                                {"blank", " t"}});
    EXPECT_EQ(map.Get("fraction", 0), 3);
    EXPECT_EQ(map.Get("negative", 0), -3);
    EXPECT_FLOAT_EQ(map.Get("lettered", 0.0f), 2.5f);
    EXPECT_EQ(map.Get("lettered", 0), 2);
    EXPECT_FLOAT_EQ(map.Get("spaced", 0.0f), 7.25f);
    EXPECT_EQ(map.Get("word", 5), 0);
    EXPECT_EQ(map.Get("word", 5.0f), 0.0f);
    EXPECT_EQ(map.Get("huge", 0), INT_MAX);
    EXPECT_EQ(map.Get("absent", 17), 17);
    EXPECT_EQ(map.Get("absent", "fallback"), "fallback");
    EXPECT_EQ(map.Get("word", "fallback"), "abc");
    // The last text for a name wins; names are case-sensitive.
    EXPECT_EQ(map.Get("w", 0), 20);
    EXPECT_EQ(map.Get("W", 0), 30);

    EXPECT_TRUE(map.Get("t", false));
    EXPECT_TRUE(map.Get("tx", false));
    EXPECT_FALSE(map.Get("f", true));
    for (const char* name : {"one", "capital", "empty", "blank", "absent"}) {
        EXPECT_TRUE(map.Get(name, true)) << name;
        EXPECT_FALSE(map.Get(name, false)) << name;
    }
}

TEST(FieldMapGet, StructuredValuesReadFromScratchOrReturnTheDefault) {
    const FieldMap map = MapOf({{"tint", "0.5, 0.25,0,1"}, {"material", "0.0,0.0"}});
    const Color caller(0.1f, 0.2f, 0.3f, 0.4f);
    EXPECT_EQ(map.Get("missing", caller), caller);
    EXPECT_EQ(map.Get("tint", caller), Color(0.5f, 0.25f, 0.0f, 1.0f));
    EXPECT_EQ(map.Get("material", Material(0.9f, 0.9f)), Material(0.0f, 0.0f));
    EXPECT_EQ(map.Get("missing", Vector2(3.0f, 4.0f)), Vector2(3.0f, 4.0f));
    EXPECT_NE(FatalMessageOf([&] { map.Get("tint", Vector2()); }), "") << "four numbers for two";
}

TEST(FieldMapTryGet, AbsentLeavesTheOutputUntouched) {
    const FieldMap map =
        MapOf({{"speed", "2.5"}, {"count", "4.8"}, {"name", "Plane"}, {"size", "1,2"}});
    float f = -1.0f;
    int i = -1;
    std::string s = "old";
    Vector2 v(9.0f, 9.0f);
    EXPECT_FALSE(map.TryGet("nope", f));
    EXPECT_FALSE(map.TryGet("nope", i));
    EXPECT_FALSE(map.TryGet("nope", s));
    EXPECT_FALSE(map.TryGet("nope", v));
    EXPECT_EQ(f, -1.0f);
    EXPECT_EQ(i, -1);
    EXPECT_EQ(s, "old");
    EXPECT_EQ(v, Vector2(9.0f, 9.0f));

    EXPECT_TRUE(map.TryGet("speed", f));
    EXPECT_TRUE(map.TryGet("count", i));
    EXPECT_TRUE(map.TryGet("name", s));
    EXPECT_TRUE(map.TryGet("size", v));
    EXPECT_EQ(f, 2.5f);
    EXPECT_EQ(i, 4);
    EXPECT_EQ(s, "Plane");
    EXPECT_EQ(v, Vector2(1.0f, 2.0f));
}
