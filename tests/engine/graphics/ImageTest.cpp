#include <gtest/gtest.h>

#include <limits>
#include <utility>

#include "engine/entity/Entity.h"
#include "engine/graphics/AnimatedImage.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/Mesh.h"
#include "engine/scene/FieldMap.h"
#include "support/FatalCatcher.h"

using namespace VelaEngine;
using namespace VelaEngine::Graphics;

namespace {

const std::string kFail = "Assertion in VEDebug.cpp line 35: ";

// Checks the quad's texture coordinates along its left, right, top and bottom edges.
void ExpectUv(const Mesh& mesh, float left, float right, float top, float bottom) {
    ASSERT_EQ(mesh.Triangles().size(), 2u);
    const Triangle& first = mesh.Triangles()[0];   // BL, BR, TL
    const Triangle& second = mesh.Triangles()[1];  // BR, TR, TL
    EXPECT_EQ(first.uv[0], Point2(left, bottom));
    EXPECT_EQ(first.uv[1], Point2(right, bottom));
    EXPECT_EQ(first.uv[2], Point2(left, top));
    EXPECT_EQ(second.uv[0], first.uv[1]);
    EXPECT_EQ(second.uv[1], Point2(right, top));
    EXPECT_EQ(second.uv[2], first.uv[2]);
}

struct ImageTest : testing::Test {
    std::shared_ptr<Entity> entity = Entity::Create("Picture");
    Image* image = entity->AddComponent<Image>();
    AnimatedImage* sheet = entity->AddComponent<AnimatedImage>();
};

TEST_F(ImageTest, AbsentFieldsGiveAWhiteQuadOfNoSizeAndInstructionsWithoutAValueAreFatal) {
    image->Set(40.0f, 10.0f, nullptr, Color(0.1f, 0.2f, 0.3f, 0.4f), true, true);
    image->Deserialize(FieldMap());
    EXPECT_EQ(image->GetSprite(), nullptr);
    EXPECT_EQ(image->GetTint(), Color(1.0f, 1.0f, 1.0f, 1.0f));
    EXPECT_EQ(image->GetMesh().Triangles()[1].position[1], Point2(0.0f, 0.0f));
    ExpectUv(image->GetMesh(), 0.0f, 1.0f, 0.0f, 1.0f);

    EXPECT_EQ(TestSupport::FatalMessageOf([&] { image->ApplyInstruction("sprite:"); }),
              kFail + "Instruction \"sprite:\" has no value after ':'");
    EXPECT_EQ(TestSupport::FatalMessageOf([&] { sheet->ApplyInstruction("sprite"); }),
              kFail + "Instruction \"sprite\" has no value after ':'");
    // Instructions for other components, or none at all, are ignored.
    EXPECT_EQ(TestSupport::FatalMessageOf([&] {
                  image->ApplyInstruction("frame:");
                  image->ApplyInstruction("tint:1");
                  sheet->ApplyInstruction("");
                  sheet->ApplyInstruction(":::");
              }),
              "");
}

// The slide of a tiling picture keeps to one turn, whatever it is given, and a copy keeps it.
TEST_F(ImageTest, TheTextureOffsetWrapsToOneTurnAndClonesKeepIt) {
    image->Set(40.0f, 10.0f, nullptr, Color(), false, false);
    EXPECT_EQ(image->GetTextureOffset(), 0.0f) << "a new picture shows as it is";
    const std::pair<float, float> cases[] = {
        {0.25f, 0.25f},
        {1.0f, 0.0f},
        {3.75f, 0.75f},
        {-0.25f, 0.75f},
        {-2.5f, 0.5f},
        {-1e-9f, 0.0f},  // just below a whole turn rounds to it, never to 1
        {std::numeric_limits<float>::quiet_NaN(), 0.0f},
        {std::numeric_limits<float>::infinity(), 0.0f},
    };
    for (const auto& [given, kept] : cases) {
        image->SetTextureOffset(given);
        EXPECT_FLOAT_EQ(image->GetTextureOffset(), kept) << given;
        EXPECT_GE(image->GetTextureOffset(), 0.0f);
        EXPECT_LT(image->GetTextureOffset(), 1.0f);
    }
    image->SetTextureOffset(0.375f);
    auto other = Entity::Create("Copy");
    const auto copy = std::dynamic_pointer_cast<Image>(image->Clone(other.get()));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetTextureOffset(), 0.375f);
    // The slide moves the texture, never the quad.
    ExpectUv(image->GetMesh(), 0.0f, 1.0f, 0.0f, 1.0f);
}

TEST_F(ImageTest, ASheetShowsTheCellOfItsFrameAndWithoutColumnsOrRowsKeepsItsQuad) {
    sheet->Set(4, 2, 5, 10.0f, 0, 7, 10.0f, 10.0f, nullptr, true, false, false);
    ExpectUv(sheet->GetMesh(), 0.25f, 0.5f, 0.5f, 1.0f);  // column 1 of row 1
    EXPECT_FLOAT_EQ(sheet->GetFrameTime(), 0.1f);
    // flipX swaps the cell's edges, flipY does not.
    sheet->Set(4, 2, 2, 1.0f, 0, 0, 10.0f, 10.0f, nullptr, false, true, true);
    ExpectUv(sheet->GetMesh(), 0.75f, 0.5f, 0.0f, 0.5f);

    sheet->Set(4, 2, 0, 1.0f, 0, 0, 10.0f, 10.0f, nullptr, false, false, false);
    sheet->ApplyInstruction("frame:6");
    EXPECT_EQ(sheet->GetFrame(), 6);
    ExpectUv(sheet->GetMesh(), 0.5f, 0.75f, 0.5f, 1.0f);
    sheet->ApplyInstruction("frame:12abc");
    EXPECT_EQ(sheet->GetFrame(), 12);
    // Past the sheet: the coordinates leave it, as the sheet's author asked.
    ExpectUv(sheet->GetMesh(), 0.0f, 0.25f, 1.5f, 2.0f);
    sheet->ApplyInstruction("frame:99999999999");
    EXPECT_EQ(sheet->GetFrame(), 2147483647);
    // Only digits at the front count: no sign, nothing else.
    sheet->ApplyInstruction("frame:-3");
    EXPECT_EQ(sheet->GetFrame(), 0);
    ExpectUv(sheet->GetMesh(), 0.0f, 0.25f, 0.0f, 0.5f);
    EXPECT_EQ(sheet->GetInitialFrame(), 0) << "the initial frame stays";

    // Without columns or rows a sheet keeps its quad.
    sheet->Set(4, 2, 1, 1.0f, 0, 0, 10.0f, 10.0f, nullptr, false, false, false);
    sheet->Set(0, 2, 3, 1.0f, 0, 0, 20.0f, 20.0f, nullptr, false, false, false);
    EXPECT_EQ(sheet->GetFrame(), 3);
    ExpectUv(sheet->GetMesh(), 0.25f, 0.5f, 0.0f, 0.5f);
    EXPECT_EQ(sheet->GetMesh().Triangles()[0].position[0], Point2(-5.0f, -5.0f));
    sheet->Set(4, 0, 3, 1.0f, 0, 0, 20.0f, 20.0f, nullptr, false, false, false);
    sheet->ApplyInstruction("frame:2");
    EXPECT_EQ(sheet->GetFrame(), 2);
    EXPECT_EQ(sheet->GetMesh().Triangles()[0].position[0], Point2(-5.0f, -5.0f));
}

TEST(ColorText, WrongCountsAreFatalAndLeaveTheColour) {
    for (const char* text : {"1,0,0", "1,0,0,1,1", "1;0;0;1", ""}) {
        Color c(0.5f, 0.5f, 0.5f, 0.5f);
        EXPECT_EQ(TestSupport::FatalMessageOf([&] { c.Deserialize(text); }),
                  "Assertion failed in VEDebug.cpp line 22: Color wrong Serialization format")
            << text;
        EXPECT_EQ(c, Color(0.5f, 0.5f, 0.5f, 0.5f));
    }
}

TEST(Mesh, BuildingTwiceIsFatalUntilCleared) {
    Mesh mesh;
    mesh.AddTriangle(Triangle());
    mesh.Build();
    EXPECT_EQ(TestSupport::FatalMessageOf([&] { mesh.Build(); }),
              "Assertion failed in VEDebug.cpp line 22: Mesh is already built.");
    mesh.Clear();
    EXPECT_FALSE(mesh.IsBuilt());
    EXPECT_TRUE(mesh.Triangles().empty());
    EXPECT_EQ(TestSupport::FatalMessageOf([&] { mesh.Build(); }), "");
}

TEST_F(ImageTest, ClonesDrawOnTheNewOwnerWithTheSameSettings) {
    image->Set(8.0f, 6.0f, nullptr, Color(0.5f, 0.5f, 1.0f, 1.0f), false, true);
    auto other = Entity::Create("Copy");
    auto copy = std::dynamic_pointer_cast<Image>(image->Clone(other.get()));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetOwner(), other.get());
    EXPECT_EQ(other->GetDrawListeners().Size(), 1u);
    EXPECT_EQ(copy->GetTint(), image->GetTint());
    EXPECT_EQ(copy->GetMesh().Triangles()[0].position[0], Point2(-4.0f, -3.0f));
    ExpectUv(copy->GetMesh(), 0.0f, 1.0f, 1.0f, 0.0f);

    // A sheet's copy starts at the initial frame with the same frame time.
    sheet->Set(4, 2, 1, 3.0f, 1, 6, 10.0f, 20.0f, nullptr, true, true, false);
    sheet->SetTint(Color(1.0f, 0.0f, 0.0f, 1.0f));
    sheet->ApplyInstruction("frame:6");
    auto sheetCopy = std::dynamic_pointer_cast<AnimatedImage>(sheet->Clone(other.get()));
    ASSERT_NE(sheetCopy, nullptr);
    EXPECT_EQ(sheetCopy->GetFrame(), 1);
    EXPECT_EQ(sheetCopy->GetInitialFrame(), 1);
    EXPECT_EQ(sheetCopy->GetFrameTime(), sheet->GetFrameTime());
    EXPECT_EQ(sheetCopy->GetFrameStart(), 1);
    EXPECT_EQ(sheetCopy->GetFrameEnd(), 6);
    EXPECT_TRUE(sheetCopy->GetLoop());
    EXPECT_EQ(sheetCopy->GetTint(), sheet->GetTint());
    ExpectUv(sheetCopy->GetMesh(), 0.5f, 0.25f, 0.0f, 0.5f);
    EXPECT_EQ(other->GetUpdateListeners().Size(), 1u);
}

}  // namespace
