#include <gtest/gtest.h>

#include <cmath>

#include "EntityTestSupport.h"
#include "engine/scene/FieldMap.h"
#include "support/FatalCatcher.h"

namespace EntityTest {
namespace {

using TestSupport::FatalMessageOf;

void ExpectPointNear(const Point2& p, float x, float y) {
    EXPECT_NEAR(p.x, x, 1e-4f);
    EXPECT_NEAR(p.y, y, 1e-4f);
}

TEST(Matrix3x3, InverseUndoesTheMatrixTextHasNineNumbersAndTheStackMultipliesOnTheRight) {
    const Matrix3x3 m = Matrix3x3::FromTRS({-40.0f, 25.0f}, 33.0f, {2.0f, 0.5f});
    ExpectPointNear((m.Inverse() * m) * Point2(7.0f, -3.0f), 7.0f, -3.0f);
    EXPECT_TRUE((m * m.Inverse()).IsNearIdentity(1e-5f));

    const Matrix3x3 n(1.0f, 2.0f, 3.5f, -4.0f, 5.0f, 6.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_EQ(n.Serialize(),
              "1.000000,2.000000,3.500000,-4.000000,5.000000,6.000000,0.000000,0.000000,"
              "1.000000");
    Matrix3x3 read;
    read.Deserialize(n.Serialize());
    EXPECT_EQ(read, n);
    EXPECT_EQ(FatalMessageOf([&] { read.Deserialize("1,2,3,4,5,6,7,8,9,10"); }),
              "Assertion failed in VEDebug.cpp line 22: Matrix3x3 wrong Serialization format");
    EXPECT_EQ(read, n) << "a rejected text changes nothing";

    MatrixStack::Create();
    MatrixStack& stack = MatrixStack::Get();
    const Matrix3x3 a = Matrix3x3::FromTRS({10.0f, 0.0f}, 90.0f, {1.0f, 1.0f});
    const Matrix3x3 b = Matrix3x3::FromTRS({5.0f, 0.0f}, 0.0f, {1.0f, 1.0f});
    stack.Push(a);
    stack.Push(b);
    EXPECT_EQ(stack.GetCurrent(), a * b);
    stack.Pop();
    EXPECT_EQ(stack.GetCurrent(), a);
    stack.Pop();
    EXPECT_EQ(stack.GetCurrent(), Matrix3x3::Identity());
    EXPECT_EQ(FatalMessageOf([&] { stack.Pop(); }),
              "Assertion failed in VEDebug.cpp line 22: MatrixStack Pop without a matching Push");
    MatrixStack::Release();
    EXPECT_EQ(FatalMessageOf([] { MatrixStack::Get(); }),
              "Assertion in VEDebug.cpp line 35: Matrix3x3 not Instantiated");
}

void Read(Transform& t, std::initializer_list<std::pair<const char*, const char*>> f) {
    FieldMap fields;
    for (const auto& [name, text] : f) {
        fields.Set(name, text);
    }
    t.Deserialize(fields);
}

using Transforms = EntityWorld;

TEST_F(Transforms, ScaleStartsAtZeroAndWorldPlacementFollowsParents) {
    Entity& parent = AddRoot("P");
    Transform& t = parent.GetTransform();
    EXPECT_EQ(t.GetScale(), Vector2(0.0f, 0.0f));
    EXPECT_TRUE(t.IsIdentity());
    // Without a scale every point lands on the position, and the matrix is singular.
    Read(t, {{"t", "3,4"}, {"r", "0"}});
    EXPECT_EQ(t.GetScale(), Vector2(0.0f, 0.0f));
    EXPECT_FALSE(t.IsIdentity());
    ExpectPointNear(t.GetLocalMatrix() * Point2(50.0f, -20.0f), 3.0f, 4.0f);
    EXPECT_FALSE(std::isfinite(t.GetLocalMatrix().Inverse().m[0][0]));

    Read(t, {{"t", "10,0"}, {"r", "90"}, {"s", "1,1"}});
    Transform& child = AddChild(parent, "C").GetTransform();
    Read(child, {{"t", "5,0"}, {"r", "0"}, {"s", "1,1"}});
    ExpectPointNear(child.GetWorldPosition(), 10.0f, 5.0f);
    // The world matrix is rebuilt after a change to either.
    t.SetPosition({-10.0f, 0.0f});
    ExpectPointNear(child.GetWorldPosition(), -10.0f, 5.0f);
    child.SetScale({2.0f, 2.0f});
    ExpectPointNear(child.GetWorldMatrix() * Point2(1.0f, 0.0f), -10.0f, 7.0f);
}

TEST_F(Transforms, NamesFindTheShallowestMatchFirstAndPathsDirectChildrenOfARoot) {
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
