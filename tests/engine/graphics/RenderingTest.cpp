#include <gtest/gtest.h>

#include "RenderTestSupport.h"
#include "engine/entity/Entity.h"
#include "engine/graphics/ParticleSystem.h"

namespace RenderTest {
namespace {

// An entity header with its three transform lines, at the given depth.
std::string EntityAt(int depth, const std::string& name, const std::string& position,
                     const std::string& scale = "1,1", const std::string& rotation = "0") {
    const std::string indent(static_cast<std::size_t>(depth), '\t');
    return indent + "Entity\t" + name + "\n" + indent + "\tt\t" + position + "\n" + indent +
           "\tr\t" + rotation + "\n" + indent + "\ts\t" + scale + "\n";
}

// An Image block for an entity at `depth`, with its fields.
std::string ImageAt(int depth, const std::string& fields) {
    const std::string indent(static_cast<std::size_t>(depth) + 1, '\t');
    std::string text = indent + "Image\n";
    std::size_t start = 0;
    while (start < fields.size()) {
        const std::size_t end = fields.find(';', start);
        text += indent + "\t" + fields.substr(start, end - start) + "\n";
        start = end == std::string::npos ? fields.size() : end + 1;
    }
    return text;
}

std::string CanvasAt(int depth, const std::string& mode) {
    const std::string indent(static_cast<std::size_t>(depth) + 1, '\t');
    return indent + "Canvas\n" + indent + "\trenderMode\t" + mode + "\n";
}

const Rgb kBlack{0, 0, 0};

using Rendering = RenderWorld;

TEST_F(Rendering, TintedSpriteShowsAtItsPositionInTheTintedColour) {
    WriteSprite("solid", 4, 4, [](int, int) { return Rgb{200, 100, 240}; });
    WriteScene(EntityAt(0, "Painted", "100,50") +
               ImageAt(0, "Sprite\tsprites/solid;w\t100;h\t60;tint\t0.5,1,0.25,1"));
    Start();
    const Picture picture = RunTo(2);
    const Rgb tinted{100, 100, 60};
    EXPECT_TRUE(Near(picture.At(100, 50), tinted));
    EXPECT_TRUE(Near(picture.At(52, 22), tinted));   // near the bottom-left corner
    EXPECT_TRUE(Near(picture.At(148, 78), tinted));  // near the top-right corner
    EXPECT_TRUE(Near(picture.At(47, 50), kBlack));
}

TEST_F(Rendering, FlipXPutsTheTexturesRightEdgeOnTheLeft) {
    // Left half red, right half blue; the top row green, to tell the rows apart.
    WriteSprite("halves", 4, 4, [](int x, int y) {
        if (y == 0) {
            return Rgb{0, 255, 0};
        }
        return x < 2 ? Rgb{255, 0, 0} : Rgb{0, 0, 255};
    });
    WriteScene(EntityAt(0, "Plain", "-300,0") + ImageAt(0, "Sprite\tsprites/halves;w\t200;h\t200") +
               EntityAt(0, "Mirrored", "300,0") +
               ImageAt(0, "Sprite\tsprites/halves;w\t200;h\t200;flipX\ttrue") +
               EntityAt(0, "Upside", "0,-250") +
               ImageAt(0, "Sprite\tsprites/halves;w\t200;h\t200;flipY\ttrue"));
    Start();
    const Picture picture = RunTo(1);
    const Rgb red{255, 0, 0}, blue{0, 0, 255}, green{0, 255, 0};
    EXPECT_TRUE(Near(picture.At(-350, 0), red));
    EXPECT_TRUE(Near(picture.At(-250, 0), blue));
    EXPECT_TRUE(Near(picture.At(-300, 90), green));  // the image's top row is on top
    EXPECT_TRUE(Near(picture.At(250, 0), blue));
    EXPECT_TRUE(Near(picture.At(350, 0), red));
    EXPECT_TRUE(Near(picture.At(300, 90), green));
    // Flipped vertically, the top row is at the bottom.
    EXPECT_TRUE(Near(picture.At(-50, -340), green));
    EXPECT_TRUE(Near(picture.At(-50, -160), red));
}

TEST_F(Rendering, AnimatedImageShowsTheCellOfItsFrame) {
    // A 4 × 2 sheet of 2 × 2 cells, each its own colour.
    const auto cellColour = [](int column, int row) {
        return Rgb{40 + 60 * column, 50 + 150 * row, 200 - 40 * column};
    };
    WriteSprite("sheet", 8, 4, [&](int x, int y) { return cellColour(x / 2, y / 2); });
    WriteScene(EntityAt(0, "Sheet", "0,-200") +
               "\tAnimatedImage\n\t\tSprite\tsprites/sheet\n\t\tw\t100\n\t\th\t100\n"
               "\t\tcols\t4\n\t\trows\t2\n\t\tinitialFrame\t5\n\t\tfps\t10\n" +
               EntityAt(0, "First", "300,-200") +
               "\tAnimatedImage\n\t\tSprite\tsprites/sheet\n\t\tw\t100\n\t\th\t100\n"
               "\t\tcols\t4\n\t\trows\t2\n\t\tinitialFrame\t0\n");
    Start();
    const Picture picture = RunTo(1);
    // Frame 5 is column 1 of row 1, across the whole quad.
    const Rgb five = cellColour(1, 1);
    EXPECT_TRUE(Near(picture.At(0, -200), five));
    EXPECT_TRUE(Near(picture.At(-40, -240), five));
    EXPECT_TRUE(Near(picture.At(40, -160), five));
    EXPECT_TRUE(Near(picture.At(300, -200), cellColour(0, 0)));
}

TEST_F(Rendering, ImageWithoutSpriteIsASolidRectangleInTheTint) {
    WriteScene(EntityAt(0, "Block", "-200,100") + ImageAt(0, "w\t80;h\t40;tint\t0.2,0.4,0.6,1") +
               EntityAt(0, "Glass", "200,100") + ImageAt(0, "w\t80;h\t40;tint\t1,1,1,0.5") +
               EntityAt(0, "Nothing", "0,100") + ImageAt(0, "tint\t1,1,1,1"));
    Start();
    const Picture picture = RunTo(1);
    EXPECT_TRUE(Near(picture.At(-200, 100), Rgb{51, 102, 153}));
    EXPECT_TRUE(Near(picture.At(-237, 82), Rgb{51, 102, 153}));
    EXPECT_TRUE(Near(picture.At(-243, 100), kBlack));
    // The tint's alpha is the transparency: half of white over black.
    EXPECT_TRUE(Near(picture.At(200, 100), Rgb{128, 128, 128}));
    // No size, nothing visible.
    EXPECT_TRUE(Near(picture.At(0, 100), kBlack));
}

TEST_F(Rendering, CameraSpaceMovesAgainstTheCameraWhileScreenSpaceStays) {
    WriteScene(EntityAt(0, "View", "100,50") + "\tCamera\n" +  //
               EntityAt(0, "World", "0,0") + CanvasAt(0, "CameraSpace") +
               EntityAt(1, "Red", "0,0") + ImageAt(1, "w\t40;h\t40;tint\t1,0,0,1") +
               EntityAt(1, "Inner", "0,0") + CanvasAt(1, "CameraSpace") +
               EntityAt(2, "Blue", "0,0") + ImageAt(2, "w\t40;h\t40;tint\t0,0,1,1") +
               EntityAt(0, "Hud", "0,0") + CanvasAt(0, "ScreenSpace") +
               EntityAt(1, "Green", "0,0") + ImageAt(1, "w\t40;h\t40;tint\t0,1,0,1") +
               EntityAt(0, "Loose", "300,0") + ImageAt(0, "w\t40;h\t40;tint\t1,1,0,1"));
    Start();
    const Picture picture = RunTo(1);
    // World (0, 0) seen from a camera at (100, 50).
    EXPECT_TRUE(Near(picture.At(-100, -50), Rgb{255, 0, 0}));
    // A second camera-space canvas inside the first applies the camera again.
    EXPECT_TRUE(Near(picture.At(-200, -100), Rgb{0, 0, 255}));
    // Screen space, and no canvas at all, ignore the camera.
    EXPECT_TRUE(Near(picture.At(0, 0), Rgb{0, 255, 0}));
    EXPECT_TRUE(Near(picture.At(300, 0), Rgb{255, 255, 0}));
    EXPECT_TRUE(Near(picture.At(200, -50), kBlack));
}

TEST_F(Rendering, CameraScaleAndRotationAreUndoneInCameraSpace) {
    WriteScene(EntityAt(0, "View", "0,0", "2,2", "90") + "\tCamera\n" +
               EntityAt(0, "World", "0,0") + CanvasAt(0, "camera") + EntityAt(1, "Red", "200,0") +
               ImageAt(1, "w\t40;h\t40;tint\t1,0,0,1"));
    Start();
    const Picture picture = RunTo(1);
    // Undoing a quarter turn and a doubling: (200, 0) shows at (0, -100), 20 units wide.
    EXPECT_TRUE(Near(picture.At(0, -100), Rgb{255, 0, 0}));
    EXPECT_TRUE(Near(picture.At(8, -92), Rgb{255, 0, 0}));
    EXPECT_TRUE(Near(picture.At(13, -100), kBlack));
    EXPECT_TRUE(Near(picture.At(200, 0), kBlack));
}

TEST_F(Rendering, CameraSpaceWithoutACameraIsScreenSpace) {
    WriteScene(EntityAt(0, "World", "0,0") + CanvasAt(0, "CameraSpace") +
               EntityAt(1, "Red", "120,-60") + ImageAt(1, "w\t40;h\t40;tint\t1,0,0,1"));
    Start();
    const Picture picture = RunTo(1);
    EXPECT_TRUE(Near(picture.At(120, -60), Rgb{255, 0, 0}));
}

TEST_F(Rendering, ParticlesFadeFrameByFrameAndLeaveAfterTheirLifetime) {
    WriteScene(EntityAt(0, "Sparks", "-100,100") + "\tParticleSystem\n");
    Start();
    VelaEngine::Graphics::ParticleSystem* sparks = nullptr;
    std::vector<int> brightness;
    std::vector<std::size_t> counts;
    const auto emitAtFrameTwo = [&](unsigned frame) {
        if (frame == 2) {
            sparks = VelaEngine::Entity::Find("Sparks")
                         ->GetComponent<VelaEngine::Graphics::ParticleSystem>();
            // One still white square of 30 units living half a second (30 frames).
            sparks->Emit(1, 0.0f, 0.0f, 0.5f, 30.0f, 0.0f, nullptr, VelaEngine::Vector2());
        }
    };
    Run(
        40,
        [&](unsigned frame, const Picture& picture) {
            if (frame >= 2) {
                brightness.push_back(picture.At(-100, 100).r);
                counts.push_back(sparks->GetParticles().size());
                EXPECT_TRUE(Near(picture.At(-100, 100),
                                 Rgb{brightness.back(), brightness.back(), brightness.back()}));
                EXPECT_TRUE(Near(picture.At(-80, 100), kBlack));
            }
        },
        emitAtFrameTwo);

    ASSERT_EQ(brightness.size(), 39u);
    // After k updates the alpha is 1 - 0.035 k, drawn at half strength over black.
    for (int k = 1; k <= 28; ++k) {
        const int expected = static_cast<int>(255.0 * (1.0 - 0.035 * k) * 0.5 + 0.5);
        EXPECT_NEAR(brightness[k - 1], expected, 3) << "after " << k << " updates";
    }
    EXPECT_EQ(brightness[28], 0) << "faded out after 29 updates";
    EXPECT_EQ(counts[28], 1u) << "still alive while invisible";
    EXPECT_EQ(counts.back(), 0u);
}

}  // namespace
}  // namespace RenderTest
