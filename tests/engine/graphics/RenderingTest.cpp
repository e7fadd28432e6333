// Runs the real engine offscreen on scenes and sprites a test writes itself, and reads the
// pictures of its frames back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "engine/core/FrontEnd.h"
#include "engine/entity/Entity.h"
#include "engine/graphics/ParticleSystem.h"
#include "platform/EBGraphics.h"
#include "platform/EBImageFile.h"
#include "support/EngineRun.h"
#include "support/TempFolder.h"

namespace {

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
};

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

const Rgb kBlack{0, 0, 0}, kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255};

// Per channel, within a few steps of 255: the drivers may round blends differently.
testing::AssertionResult Near(const Rgb& actual, const Rgb& expected) {
    if (std::abs(actual.r - expected.r) <= 3 && std::abs(actual.g - expected.g) <= 3 &&
        std::abs(actual.b - expected.b) <= 3) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << actual << " is not near " << expected;
}

constexpr int kWidth = 1600;
constexpr int kHeight = 900;

// One frame's picture, addressed in screen space: origin at the centre, Y up.
class Picture {
public:
    Picture() : rgba_(static_cast<std::size_t>(kWidth) * kHeight * 4) {}
    bool Read() { return EBGfxReadPixels(0, 0, kWidth, kHeight, rgba_.data()); }
    // The pixel whose centre is nearest to the screen point.
    Rgb At(float x, float y) const {
        const int column = static_cast<int>(x + kWidth * 0.5f);
        const int row = static_cast<int>(kHeight * 0.5f - y);
        const unsigned char* p = &rgba_[(static_cast<std::size_t>(row) * kWidth + column) * 4];
        return Rgb{p[0], p[1], p[2]};
    }

private:
    std::vector<unsigned char> rgba_;
};

// A probe of the picture: what it shows, where, and in which colour.
struct Probe {
    const char* what;
    float x, y;
    Rgb colour;
};

// An entity header with its three transform lines, at the given depth.
std::string EntityAt(int depth, const std::string& name, const std::string& position,
                     const std::string& scale = "1,1", const std::string& rotation = "0") {
    const std::string indent(static_cast<std::size_t>(depth), '\t');
    return indent + "Entity\t" + name + "\n" + indent + "\tt\t" + position + "\n" + indent +
           "\tr\t" + rotation + "\n" + indent + "\ts\t" + scale + "\n";
}

// A component block for an entity at `depth`, its fields separated by ';'.
std::string ComponentAt(int depth, const std::string& type, const std::string& fields = "") {
    const std::string indent(static_cast<std::size_t>(depth) + 1, '\t');
    std::string text = indent + type + "\n";
    std::size_t start = 0;
    while (start < fields.size()) {
        const std::size_t end = fields.find(';', start);
        text += indent + "\t" + fields.substr(start, end - start) + "\n";
        start = end == std::string::npos ? fields.size() : end + 1;
    }
    return text;
}

std::string ImageAt(int depth, const std::string& fields) {
    return ComponentAt(depth, "Image", fields);
}

class Rendering : public testing::Test {
protected:
    // Writes sprites/NAME.png in the test's asset folder, top row first.
    void WriteSprite(const std::string& name, int width, int height,
                     const std::function<Rgb(int x, int y)>& pixel) {
        std::vector<unsigned char> rgba;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const Rgb c = pixel(x, y);
                rgba.insert(rgba.end(),
                            {static_cast<unsigned char>(c.r), static_cast<unsigned char>(c.g),
                             static_cast<unsigned char>(c.b), 255});
            }
        }
        const std::string path = assets.Write("sprites/" + name + ".png", "");
        ASSERT_TRUE(EBImageSavePNG(path.c_str(), rgba.data(), width, height));
    }

    void Start(const std::string& scene) {
        assets.Write("scenes/test.scene", scene);
        TestSupport::EngineOptions options;
        options.assets = assets.Path();
        options.firstScene = "scenes/test";
        TestSupport::StartEngine(options);
    }

    // Runs `frames` frames; `onFrame` sees each picture before it is shown, `beforeFrame` runs
    // as each frame begins.
    void Run(unsigned frames, const std::function<void(unsigned, const Picture&)>& onFrame,
             const std::function<void(unsigned)>& beforeFrame = nullptr) {
        VelaEngine::FrameHooks hooks;
        hooks.beforeFrame = beforeFrame;
        hooks.beforePresent = [&](unsigned frame) {
            Picture picture;
            ASSERT_TRUE(picture.Read());
            onFrame(frame, picture);
        };
        hooks.afterFrame = [frames](unsigned frame) {
            if (frame >= frames) {
                VelaEngine::FrontEnd::Get().Quit();
            }
        };
        VelaEngine::FrontEnd::Get().SetFrameHooks(hooks);
        VelaEngine::FrontEnd::Get().Run();
    }

    // Runs the first frame and checks its picture at each probe.
    void ExpectFirstPicture(const std::vector<Probe>& probes) {
        bool seen = false;
        Run(1, [&](unsigned, const Picture& picture) {
            seen = true;
            for (const Probe& probe : probes) {
                EXPECT_TRUE(Near(picture.At(probe.x, probe.y), probe.colour))
                    << probe.what << " at " << probe.x << ", " << probe.y;
            }
        });
        EXPECT_TRUE(seen) << "no frame was drawn";
    }

    TestSupport::TempFolder assets;
};

TEST_F(Rendering, ImagesShowTheirSpriteTintTransparencyFlipsAndSheetCell) {
    WriteSprite("solid", 4, 4, [](int, int) { return Rgb{200, 100, 240}; });
    // Left half red, right half blue; the top row green, to tell the rows apart.
    WriteSprite("halves", 4, 4, [](int x, int y) {
        return y == 0 ? kGreen : x < 2 ? kRed : kBlue;
    });
    // A 4 × 2 sheet of 2 × 2 cells, each its own colour.
    const auto cell = [](int column, int row) {
        return Rgb{40 + 60 * column, 50 + 150 * row, 200 - 40 * column};
    };
    WriteSprite("sheet", 8, 4, [&](int x, int y) { return cell(x / 2, y / 2); });
    const std::string halves = "Sprite\tsprites/halves;w\t200;h\t200";
    const std::string sheet = "Sprite\tsprites/sheet;w\t100;h\t100;cols\t4;rows\t2;initialFrame\t";
    Start(EntityAt(0, "Painted", "300,250") +
          ImageAt(0, "Sprite\tsprites/solid;w\t100;h\t60;tint\t0.5,1,0.25,1") +
          EntityAt(0, "Plain", "-600,250") + ImageAt(0, halves) +
          EntityAt(0, "Mirrored", "-300,250") + ImageAt(0, halves + ";flipX\ttrue") +
          EntityAt(0, "Upside", "0,250") + ImageAt(0, halves + ";flipY\ttrue") +
          EntityAt(0, "Sheet", "-600,-200") + ComponentAt(0, "AnimatedImage", sheet + "5") +
          EntityAt(0, "First", "-300,-200") + ComponentAt(0, "AnimatedImage", sheet + "0") +
          EntityAt(0, "Block", "0,-200") + ImageAt(0, "w\t80;h\t40;tint\t0.2,0.4,0.6,1") +
          EntityAt(0, "Glass", "300,-200") + ImageAt(0, "w\t80;h\t40;tint\t1,1,1,0.5") +
          EntityAt(0, "Nothing", "600,-200") + ImageAt(0, "tint\t1,1,1,1"));
    const Rgb tinted{100, 100, 60}, five = cell(1, 1), block{51, 102, 153};
    ExpectFirstPicture({
        {"tinted sprite", 300, 250, tinted},
        {"tinted, near its top-right corner", 348, 278, tinted},
        {"left of the tinted sprite", 247, 250, kBlack},
        {"plain left half", -650, 250, kRed},
        {"plain right half", -550, 250, kBlue},
        {"plain top row on top", -600, 340, kGreen},
        {"flipped X, left", -350, 250, kBlue},
        {"flipped X, right", -250, 250, kRed},
        {"flipped X, top row still on top", -300, 340, kGreen},
        {"flipped Y, top row at the bottom", -50, 160, kGreen},
        {"flipped Y, top", -50, 340, kRed},
        // Frame 5 is column 1 of row 1, across the whole quad.
        {"frame 5", -600, -200, five},
        {"frame 5, near its top-right corner", -560, -160, five},
        {"frame 0", -300, -200, cell(0, 0)},
        {"no sprite: the tint", 0, -200, block},
        {"no sprite, near a corner", -37, -218, block},
        {"left of the block", -43, -200, kBlack},
        {"the tint's alpha is the transparency", 300, -200, {128, 128, 128}},
        {"no size, nothing visible", 600, -200, kBlack},
    });
}

TEST_F(Rendering, CameraSpaceUndoesTheCameraWhileScreenSpaceStays) {
    const std::string square = "w\t40;h\t40;tint\t";
    Start(EntityAt(0, "View", "100,50", "2,2", "90") + ComponentAt(0, "Camera") +
          EntityAt(0, "World", "0,0") + ComponentAt(0, "Canvas", "renderMode\tCameraSpace") +
          EntityAt(1, "Red", "0,0") + ImageAt(1, square + "1,0,0,1") + EntityAt(1, "Inner", "0,0") +
          ComponentAt(1, "Canvas", "renderMode\tcamera") + EntityAt(2, "Blue", "0,0") +
          ImageAt(2, square + "0,0,1,1") + EntityAt(0, "Hud", "0,0") +
          ComponentAt(0, "Canvas", "renderMode\tScreenSpace") + EntityAt(1, "Green", "0,0") +
          ImageAt(1, square + "0,1,0,1") + EntityAt(0, "Loose", "300,0") +
          ImageAt(0, square + "1,1,0,1"));
    // Seen from a camera at (100, 50), turned a quarter and doubled, world (0, 0) is at
    // (-25, 50) and a square of 40 is 20 wide.
    ExpectFirstPicture({
        {"red, undone once", -25, 50, kRed},
        {"red, near its corner", -33, 42, kRed},
        {"past red's edge", -25, 38, kBlack},
        {"blue, inside a second camera-space canvas: undone twice", 0, 62, kBlue},
        {"screen space ignores the camera", 0, 0, kGreen},
        {"so does no canvas at all", 300, 0, {255, 255, 0}},
        {"where the camera was not undone", -100, -50, kBlack},
    });
}

TEST_F(Rendering, ParticlesFadeFrameByFrameAndLeaveAfterTheirLifetime) {
    Start(EntityAt(0, "Sparks", "-100,100") + ComponentAt(0, "ParticleSystem"));
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
