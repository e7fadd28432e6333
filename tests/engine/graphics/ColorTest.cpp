#include <gtest/gtest.h>

#include "engine/graphics/Color.h"
#include "support/FatalCatcher.h"

using TestSupport::FatalMessageOf;
using VelaEngine::Graphics::Color;

TEST(ColorText, ReadsRedGreenBlueAlphaIntoTheirChannels) {
    for (const char* text : {"0.1,0.2,0.3,0.4", " 0.1, 0.2, 0.3, 0.4", ",0.1,,0.2,0.3,0.4,"}) {
        Color c;
        c.Deserialize(text);
        EXPECT_EQ(c.r, 0.1f) << text;
        EXPECT_EQ(c.g, 0.2f) << text;
        EXPECT_EQ(c.b, 0.3f) << text;
        EXPECT_EQ(c.a, 0.4f) << text;
    }
    Color words;
    words.Deserialize("red,green,blue,alpha");
    EXPECT_EQ(words, Color(0.0f, 0.0f, 0.0f, 0.0f));
}

TEST(ColorText, WrongCountsAreFatalAndLeaveTheColour) {
    for (const char* text : {"1,0,0", "1,0,0,1,1", "1;0;0;1", ""}) {
        Color c(0.5f, 0.5f, 0.5f, 0.5f);
        EXPECT_EQ(FatalMessageOf([&] { c.Deserialize(text); }),
                  "Assertion failed in VEDebug.cpp line 22: Color wrong Serialization format")
            << text;
        EXPECT_EQ(c, Color(0.5f, 0.5f, 0.5f, 0.5f));
    }
}
