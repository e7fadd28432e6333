#include <gtest/gtest.h>

#include "EntityTestSupport.h"

namespace EntityTest {
namespace {

using EntityFind = EntityWorld;

TEST_F(EntityFind, NamesFindTheShallowestMatchFirstAndPathsDirectChildrenOfARoot) {
    Entity& a = AddRoot("A");
    Entity& deepP = AddChild(AddChild(a, "A1"), "P");
    Entity& b = AddRoot("B");
    Entity& firstP = AddChild(b, "P");
    AddChild(b, "P");
    EXPECT_EQ(Entity::Find("P"), &firstP);
    b.GetChildren().clear();
    EXPECT_EQ(Entity::Find("P"), &deepP);
    EXPECT_EQ(Entity::Find("Q"), nullptr);
    // The empty path finds the first nameless entity.
    EXPECT_EQ(Entity::Find(""), nullptr);
    Entity& nameless = AddChild(a, "");
    AddChild(nameless, "");
    EXPECT_EQ(Entity::Find(""), &nameless);
    EXPECT_EQ(a.GetTransform().FindChild(""), nullptr);

    // Paths find direct children of a root and backtrack over equal names.
    AddRoot("R");
    Entity& r = AddRoot("R");
    Entity& g = AddChild(r, "G");
    AddChild(AddChild(r, "Mid"), "H");
    EXPECT_EQ(Entity::Find("R/G"), &g);
    EXPECT_EQ(Entity::Find("R//G/"), &g);
    EXPECT_EQ(Entity::Find("R/H"), nullptr) << "a grandchild is not a child";
    EXPECT_EQ(Entity::Find("Mid/H"), nullptr) << "the first name must be a root's";

    Entity& x = AddRoot("X");
    AddChild(x, "Y");
    Entity& z = AddChild(AddChild(x, "Y"), "Z");
    EXPECT_EQ(Entity::Find("X/Y/Z"), &z);
    EXPECT_EQ(x.GetTransform().FindChild("Y/Z"), &z.GetTransform());

    SetSceneRoots(nullptr);
    EXPECT_EQ(Entity::Find("A"), nullptr);
}

}  // namespace
}  // namespace EntityTest
