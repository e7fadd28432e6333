#include <gtest/gtest.h>

#include "EntityTestSupport.h"

namespace EntityTest {
namespace {

using EntityPasses = EntityWorld;

TEST_F(EntityPasses, ClickGoesLastChildFirstAndChildrenBeforeTheEntitysComponents) {
    Entity& root = AddRoot("R");
    root.AddComponent<Probe>(&log, "R1");
    Entity& first = AddChild(root, "C1");
    first.AddComponent<Probe>(&log, "C1");
    Entity& second = AddChild(root, "C2");
    second.AddComponent<Probe>(&log, "C2");
    AddChild(second, "G").AddComponent<Probe>(&log, "G");
    // Nobody consumes: everyone is asked and the click is reported unconsumed.
    EXPECT_FALSE(ClickPass(root));
    EXPECT_EQ(log, (Log{"G:Click", "C2:Click", "C1:Click", "R1:Click"}));

    log.clear();
    root.AddComponent<Probe>(&log, "R2")->consumes = true;
    root.AddComponent<Probe>(&log, "R3")->consumes = true;
    EXPECT_TRUE(ClickPass(root));
    EXPECT_EQ(log, (Log{"G:Click", "C2:Click", "C1:Click", "R1:Click", "R2:Click"}));

    log.clear();
    first.AddComponent<Probe>(&log, "C1b")->consumes = true;
    EXPECT_TRUE(ClickPass(root));
    EXPECT_EQ(log, (Log{"G:Click", "C2:Click", "C1:Click", "C1b:Click"}));
}

}  // namespace
}  // namespace EntityTest
