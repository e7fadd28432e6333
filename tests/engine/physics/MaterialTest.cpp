#include <gtest/gtest.h>

#include "engine/physics/Material.h"
#include "support/FatalCatcher.h"

using TestSupport::FatalMessageOf;
using VelaEngine::Collision::Material;

TEST(MaterialText, WrongCountsAreFatalAndLeaveTheMaterial) {
    for (const char* text : {"0.5", "0.5,0,1", "0.5;0", ",,"}) {
        Material m(0.25f, 1.0f);
        EXPECT_EQ(FatalMessageOf([&] { m.Deserialize(text); }),
                  "Assertion failed in VEDebug.cpp line 22: Material wrong Serialization format")
            << text;
        EXPECT_EQ(m, Material(0.25f, 1.0f));
    }
}
