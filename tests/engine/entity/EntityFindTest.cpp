#include <gtest/gtest.h>

#include "EntityTestSupport.h"

namespace EntityTest {
namespace {

class EntityFind : public EntityWorld {};

TEST_F(EntityFind, OneNameFindsTheShallowestMatchFirstInTreeOrder) {
    Entity& a = AddRoot("A");
    Entity& deepP = AddChild(AddChild(a, "A1"), "P");
    Entity& b = AddRoot("B");
    Entity& firstP = AddChild(b, "P");
    AddChild(b, "P");
    EXPECT_EQ(Entity::Find("P"), &firstP);
    firstP.GetChildren().clear();
    b.GetChildren().clear();
    EXPECT_EQ(Entity::Find("P"), &deepP);
    EXPECT_EQ(Entity::Find("A"), &a);
    EXPECT_EQ(Entity::Find("Q"), nullptr);
}

TEST_F(EntityFind, TwoPartsFindOnlyADirectChildOfARoot) {
    Entity& r = AddRoot("R");
    Entity& g = AddChild(r, "G");
    AddChild(AddChild(r, "Mid"), "H");
    EXPECT_EQ(Entity::Find("R/G"), &g);
    EXPECT_EQ(Entity::Find("R/H"), nullptr) << "a grandchild is not a child";
    EXPECT_EQ(Entity::Find("R//G/"), &g);
    EXPECT_EQ(Entity::Find("Mid/H"), nullptr) << "the first name must be a root's";
}

TEST_F(EntityFind, BacktracksOverRootsAndSiblingsOfTheSameName) {
    AddRoot("R");
    Entity& second = AddRoot("R");
    Entity& g = AddChild(second, "G");
    EXPECT_EQ(Entity::Find("R/G"), &g);

    Entity& x = AddRoot("X");
    AddChild(x, "Y");
    Entity& z = AddChild(AddChild(x, "Y"), "Z");
    EXPECT_EQ(Entity::Find("X/Y/Z"), &z);
    EXPECT_EQ(x.GetTransform().FindChild("Y/Z"), &z.GetTransform());
}

TEST_F(EntityFind, SlashesAroundOneNameAreComparedAsAWholeName) {
    Entity& plain = AddRoot("R");
    EXPECT_EQ(Entity::Find("/R"), nullptr);
    EXPECT_EQ(Entity::Find("R/"), nullptr);
    Entity& slashed = AddChild(plain, "/R");
    EXPECT_EQ(Entity::Find("/R"), &slashed);
}

TEST_F(EntityFind, EmptyPathFindsTheFirstNamelessEntity) {
    Entity& r = AddRoot("R");
    EXPECT_EQ(Entity::Find(""), nullptr);
    Entity& nameless = AddChild(r, "");
    AddChild(nameless, "");
    EXPECT_EQ(Entity::Find(""), &nameless);
    EXPECT_EQ(r.GetTransform().FindChild(""), nullptr);
    EXPECT_EQ(r.GetTransform().FindChild("//"), nullptr);
}

TEST_F(EntityFind, NoSceneFindsNothing) {
    AddRoot("R");
    SetSceneRoots(nullptr);
    EXPECT_EQ(Entity::Find("R"), nullptr);
    EXPECT_EQ(Entity::Find("R/G"), nullptr);
}

}  // namespace
}  // namespace EntityTest
