#include <gtest/gtest.h>

#include "engine/physics/Material.h"
#include "support/FatalCatcher.h"

using TestSupport::FatalMessageOf;
using VelaEngine::Collision::Material;

TEST(MaterialText, ReadsBounceThenFriction) {
    Material m;
    EXPECT_EQ(m, Material(0.5f, 0.0f));
    m.Deserialize("0.8, 2");
    EXPECT_EQ(m.bounce, 0.8f);
    EXPECT_EQ(m.friction, 2.0f);
    m.Deserialize("0.0,0.0");
    EXPECT_EQ(m, Material(0.0f, 0.0f));
}

TEST(MaterialText, WrongCountsAreFatalAndLeaveTheMaterial) {
    for (const char* text : {"0.5", "0.5,0,1", "0.5;0", ",,"}) {
        Material m(0.25f, 1.0f);
        EXPECT_EQ(FatalMessageOf([&] { m.Deserialize(text); }),
                  "Assertion failed in VEDebug.cpp line 22: Material wrong Serialization format")
            << text;
        EXPECT_EQ(m, Material(0.25f, 1.0f));
    }
}
