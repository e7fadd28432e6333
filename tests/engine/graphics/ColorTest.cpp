#include <gtest/gtest.h>

#include "engine/graphics/Color.h"
#include "support/FatalCatcher.h"

using TestSupport::FatalMessageOf;
using VelaEngine::Graphics::Color;

TEST(ColorText, WrongCountsAreFatalAndLeaveTheColour) {
    for (const char* text : {"1,0,0", "1,0,0,1,1", "1;0;0;1", ""}) {
        Color c(0.5f, 0.5f, 0.5f, 0.5f);
        EXPECT_EQ(FatalMessageOf([&] { c.Deserialize(text); }),
                  "Assertion failed in VEDebug.cpp line 22: Color wrong Serialization format")
            << text;
        EXPECT_EQ(c, Color(0.5f, 0.5f, 0.5f, 0.5f));
    }
}
