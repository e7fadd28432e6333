#include <gtest/gtest.h>

#include "engine/scene/ValueText.h"
#include "engine/scene/Vector2.h"
#include "support/FatalCatcher.h"

using namespace VelaEngine;
using TestSupport::FatalMessageOf;

TEST(Vector2Text, ReadsStrayCommasAndSpacesWritesSixDecimalsAndRoundTrips) {
    for (const char* text : {"1.5,-2", "1.5, -2", ",1.5,-2,", "1.5,,-2"}) {
        Vector2 v;
        v.Deserialize(text);
        EXPECT_EQ(v, Vector2(1.5f, -2.0f)) << text;
    }
    Vector2 words(7.0f, 7.0f);
    words.Deserialize("left,right");
    EXPECT_EQ(words, Vector2(0.0f, 0.0f));

    EXPECT_EQ(Vector2(12.5f, -1.0f).Serialize(), "12.500000,-1.000000");
    EXPECT_EQ(Normal2(0.0f, -1.0f).ToString(), "Normal2{0.000000,-1.000000}");
    const Vector2 original(123.456789f, -0.0000004f);
    Vector2 copy;
    copy.Deserialize(original.Serialize());
    EXPECT_NEAR(copy.x, original.x, 1e-6 * 100);
    EXPECT_NEAR(copy.y, original.y, 1e-6);
    EXPECT_EQ(FormatFloat(3.0e38f).find('e'), std::string::npos);
}

TEST(Vector2Text, WrongCountsAreFatalAndLeaveTheValue) {
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
